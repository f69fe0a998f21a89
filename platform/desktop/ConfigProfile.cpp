// Profile entries as wxConfig values under /Section/Entry, saved once at the end.
#include "platform/desktop/ConfigProfile.h"

#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

#include <wx/config.h>
#include <wx/debug.h>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/string.h>
#include <wx/utils.h>

namespace {
// The game's strings are single-byte; Latin-1 keeps every byte as it is through the file.
wxString Wide(const std::string& s)
{
    return wxString(s.c_str(), wxConvISO8859_1, s.size());
}

std::string Narrow(const wxString& s)
{
    const wxCharBuffer bytes = s.mb_str(wxConvISO8859_1);
    return std::string(bytes.data(), bytes.length());
}

wxString KeyPath(const std::string& section, const std::string& entry)
{
    return "/" + Wide(section) + "/" + Wide(entry);
}

// Copies the entries of group path (ending in '/') and of every group below it.
void CopyGroup(wxConfigBase& from, wxConfigBase& to, const wxString& path)
{
    from.SetPath(path);
    wxString name;
    long index = 0;
    std::vector<std::pair<wxString, wxString>> entries;
    for (bool more = from.GetFirstEntry(name, index); more; more = from.GetNextEntry(name, index)) {
        // A line "=value" has no name, and one with a '/' in it no path, to be read by.
        if (!name.empty() && !name.Contains("/"))
            entries.emplace_back(name, from.Read(name, wxString()));
    }
    std::vector<wxString> groups;
    for (bool more = from.GetFirstGroup(name, index); more; more = from.GetNextGroup(name, index))
        groups.push_back(name);
    for (const auto& [entry, value] : entries)
        to.Write(path + entry, value);
    for (const wxString& group : groups)
        CopyGroup(from, to, path + group + "/");
}

// wxFileConfig asserts on some lines a hand-edited file may hold (an entry without a name, a
// section given twice) and then takes them as they are; in a program with windows such an
// assert is a box. The file's text is read and written with asserts off.
class AssertsOff {
public:
    AssertsOff() : m_previous(wxSetAssertHandler(nullptr)) {}
    ~AssertsOff() { wxSetAssertHandler(m_previous); }
    AssertsOff(const AssertsOff&) = delete;
    AssertsOff& operator=(const AssertsOff&) = delete;

private:
    wxAssertHandler_t m_previous;
};
}  // namespace

ConfigProfile::ConfigProfile(std::string appName) : m_appName(std::move(appName)) {}

ConfigProfile::~ConfigProfile() = default;

void ConfigProfile::SetRegistryKey([[maybe_unused]] const std::string& key)
{
#ifdef __WINDOWS__
    // HKEY_CURRENT_USER\Software\<key>\<application>, as Windows keeps it.
    const wxLogNull quiet;
    m_config = std::make_unique<wxConfig>(Wide(m_appName), Wide(key));
    m_config->SetExpandEnvVars(false);
#else
    // The vendor key has no place in a settings file's name; the program's own folder does.
    std::string text;
    const std::error_code error = ReadWholeFile(SettingsFile(), text);
    m_unreadable = error && error != std::errc::no_such_file_or_directory ? error.message() : "";
    if (!LoadText(text) && m_unreadable.empty())
        m_unreadable = "its text is in no known encoding";
#endif
}

bool ConfigProfile::LoadText(std::string_view text)
{
    // UTF-8 or, failing that, Latin-1, or what a byte order mark says.
    const wxConvAuto encoding;
    std::size_t markLength = 0;  // a byte order mark alone is an empty text
    if (const wxBOM mark = wxConvAuto::DetectBOM(text.data(), text.size()); mark > wxBOM_None)
        wxConvAuto::GetBOMChars(mark, &markLength);
    const bool decoded =
        text.size() == markLength || wxConvAuto().ToWChar(nullptr, 0, text.data(), text.size()) != wxCONV_FAILED;
    // Lines that make no sense are skipped without a word; the rest is taken.
    const wxLogNull quiet;
    const AssertsOff asserts;
    wxMemoryInputStream stream(text.data(), text.size());
    // Read from memory, the entries have no file of their own: Save alone writes one.
    auto config = std::make_unique<wxFileConfig>(stream, encoding);
    // Values are taken as they are: a race code never expands like "$HOME".
    config->SetExpandEnvVars(false);
    m_config = std::move(config);
    return decoded;
}

std::string ConfigProfile::Text() const
{
    if (!m_config)
        return {};
    // Written anew from the entries, not line by line over the old text: a line the reader
    // passed over (a repeated entry, say) could otherwise fall into a section written before
    // it and change that section's entries at the next start.
    const wxLogNull quiet;
    const AssertsOff asserts;
    wxMemoryInputStream nothing("", 0);
    wxFileConfig fresh(nothing, wxConvUTF8);
    fresh.SetExpandEnvVars(false);
    CopyGroup(*m_config, fresh, "/");
    m_config->SetPath("/");
    wxMemoryOutputStream stream;
    fresh.Save(stream, wxConvUTF8);
    std::string text(static_cast<std::size_t>(stream.GetLength()), '\0');
    stream.CopyTo(text.data(), text.size());
    return text;
}

std::string ConfigProfile::GetString(const std::string& section, const std::string& entry, const std::string& def)
{
    wxString value;
    if (!m_config || !m_config->Read(KeyPath(section, entry), &value))
        return def;
    return Narrow(value);
}

void ConfigProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    if (!m_config)
        return;
    m_config->Write(KeyPath(section, entry), Wide(value));
    m_bDirty = true;
}

int ConfigProfile::GetInt(const std::string& section, const std::string& entry, int def)
{
    long value = 0;
    if (!m_config || !m_config->Read(KeyPath(section, entry), &value) || value < INT_MIN || value > INT_MAX)
        return def;
    return static_cast<int>(value);
}

void ConfigProfile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    if (!m_config)
        return;
    m_config->Write(KeyPath(section, entry), static_cast<long>(value));
    m_bDirty = true;
}

std::string ConfigProfile::Save()
{
    if (!m_config || !m_bDirty)
        return {};
#ifdef __WINDOWS__
    // The registry keeps each value as it is written; this only makes sure it is stored.
    const wxLogNull quiet;
    if (!m_config->Flush())
        return "the settings could not be stored in the registry";
#else
    const std::filesystem::path file = SettingsFile();
    const std::string failed = "the settings were not saved to " + file.string() + ": ";
    // Whatever the player kept in a file we could not read stays there.
    if (!m_unreadable.empty())
        return failed + "it could not be read (" + m_unreadable + ")";
    std::error_code error;
    std::filesystem::create_directories(ResolveLinks(file).parent_path(), error);
    if (!error)
        error = ReplaceFile(file, Text());
    if (error)
        return failed + error.message();
#endif
    return {};
}

std::filesystem::path ConfigProfile::SettingsFile() const
{
#ifdef __WINDOWS__
    return {};
#else
    // The user's configuration folder as the XDG base directories define it.
    std::filesystem::path folder;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        folder = xdg;
    else
        folder = std::filesystem::path(wxGetHomeDir().utf8_string()) / ".config";
    return folder / m_appName / (m_appName + ".conf");
#endif
}

// Profile entries as wxConfig values under /Section/Entry.
#include "platform/desktop/ConfigProfile.h"

#include <climits>
#include <cstdlib>

#include <wx/config.h>
#include <wx/log.h>
#include <wx/string.h>
#include <wx/utils.h>
#ifndef __WINDOWS__
#include <wx/fileconf.h>
#endif

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
}  // namespace

ConfigProfile::ConfigProfile(std::string appName) : m_appName(std::move(appName)) {}

ConfigProfile::~ConfigProfile() = default;

void ConfigProfile::SetRegistryKey(const std::string& key)
{
    // A settings file that cannot be read gives the defaults, without a word, as an
    // unreadable profile always has.
    const wxLogNull quiet;
#ifdef __WINDOWS__
    // HKEY_CURRENT_USER\Software\<key>\<application>, as Windows keeps it.
    m_config = std::make_unique<wxConfig>(Wide(m_appName), Wide(key));
#else
    // The vendor key has no place in a settings file's name; the program's own folder does.
    m_config = std::make_unique<wxFileConfig>(Wide(m_appName), Wide(key), wxString(SettingsFile().string()),
                                              wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
#endif
    // Values are taken as they are: a race code never expands like "$HOME".
    m_config->SetExpandEnvVars(false);
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
    Save();
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
    Save();
}

void ConfigProfile::Save()
{
    // Written at once, as the registry keeps a value; a failure is not reported.
    const wxLogNull quiet;
    if (const std::filesystem::path file = SettingsFile(); !file.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
    }
    m_config->Flush();
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

// Profile entries as registry values.
#include "platform/win32/RegistryProfile.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/win32/WinApi.h"

namespace {
// An open key of the current user's, closed with the object.
class Key {
public:
    Key(const std::string& path, bool create)
    {
        const LONG status = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                     nullptr, &m_key, nullptr)
                                   : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &m_key);
        if (status != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~Key()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

struct Value {
    DWORD type = REG_NONE;
    std::vector<char> bytes;
};

// The entry's type and bytes; nothing when the key or the value is missing.
bool Read(const std::string& path, const std::string& entry, Value& value)
{
    const Key key(path, false);
    DWORD size = 0;
    if (!key.Get() || RegQueryValueExA(key.Get(), entry.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    value.bytes.resize(size);
    if (RegQueryValueExA(key.Get(), entry.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()),
                         &size) != ERROR_SUCCESS)
        return false;
    value.bytes.resize(size);
    return true;
}

// A string value's text, up to its first zero byte (a stored string need not end in one).
std::string Text(const Value& value)
{
    std::string text(value.bytes.begin(), value.bytes.end());
    return text.substr(0, text.find('\0'));
}

bool IsString(const Value& value)
{
    return value.type == REG_SZ || value.type == REG_EXPAND_SZ;
}
}  // namespace

void RegistryProfile::SetRegistryKey(const std::string& key)
{
    m_vendor = key;
}

std::string RegistryProfile::SectionKey(const std::string& section) const
{
    return m_vendor.empty() ? std::string() : "Software\\" + m_vendor + "\\" + m_appName + "\\" + section;
}

std::string RegistryProfile::GetString(const std::string& section, const std::string& entry, const std::string& def)
{
    Value value;
    if (m_vendor.empty() || !Read(SectionKey(section), entry, value) || !IsString(value))
        return def;
    return Text(value);
}

void RegistryProfile::WriteString(const std::string& section, const std::string& entry, const std::string& value)
{
    if (m_vendor.empty())
        return;
    const Key key(SectionKey(section), true);
    if (key.Get())
        RegSetValueExA(key.Get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
}

int RegistryProfile::GetInt(const std::string& section, const std::string& entry, int def)
{
    Value value;
    if (m_vendor.empty() || !Read(SectionKey(section), entry, value))
        return def;
    if (value.type == REG_DWORD && value.bytes.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::copy(value.bytes.begin(), value.bytes.end(), reinterpret_cast<char*>(&number));
        return static_cast<int>(number);
    }
    if (!IsString(value))
        return def;
    const std::string text = Text(value);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() ? number : def;
}

void RegistryProfile::WriteInt(const std::string& section, const std::string& entry, int value)
{
    if (m_vendor.empty())
        return;
    const Key key(SectionKey(section), true);
    const auto number = static_cast<DWORD>(value);
    if (key.Get())
        RegSetValueExA(key.Get(), entry.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

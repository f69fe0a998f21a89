// The per-user profile in the registry: HKEY_CURRENT_USER\Software\KEY\APP\SECTION, strings as
// REG_SZ and integers as REG_DWORD values, each entry read and written when asked.
#pragma once

#include <string>

#include "platform/Profile.h"

class RegistryProfile : public IProfile {
public:
    // appName names the program's key below the vendor key.
    explicit RegistryProfile(std::string appName) : m_appName(std::move(appName)) {}

    // Until a key is set, reads give their defaults and writes are dropped: there is no place
    // to keep them.
    void SetRegistryKey(const std::string& key) override;
    std::string GetString(const std::string& section, const std::string& entry, const std::string& def = {}) override;
    void WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    // A REG_DWORD, or a REG_SZ holding a decimal integer; anything else gives the default.
    int GetInt(const std::string& section, const std::string& entry, int def) override;
    void WriteInt(const std::string& section, const std::string& entry, int value) override;

    // The key of a section below HKEY_CURRENT_USER, empty before SetRegistryKey.
    std::string SectionKey(const std::string& section) const;

private:
    std::string m_appName;
    std::string m_vendor;
};

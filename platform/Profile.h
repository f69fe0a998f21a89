// The per-user profile: string and integer entries by section and name.
#pragma once

#include <string>

class IProfile {
public:
    virtual ~IProfile() = default;
    // Where the entries live from now on: under this vendor key and the program's name.
    virtual void SetRegistryKey(const std::string& key) = 0;
    // An absent entry gives the default.
    virtual std::string GetString(const std::string& section, const std::string& entry,
                                  const std::string& def = {}) = 0;
    virtual void WriteString(const std::string& section, const std::string& entry, const std::string& value) = 0;
    // An absent entry, or one that is not a decimal integer, gives the default.
    virtual int GetInt(const std::string& section, const std::string& entry, int def) = 0;
    virtual void WriteInt(const std::string& section, const std::string& entry, int value) = 0;
};

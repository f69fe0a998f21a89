// The per-user profile through wxConfig: the registry on Windows, a settings file in the
// user's configuration folder elsewhere.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/Profile.h"

class wxConfigBase;

class ConfigProfile : public IProfile {
public:
    // appName names the profile's key (and on Linux the settings folder and file).
    explicit ConfigProfile(std::string appName);
    ~ConfigProfile() override;
    ConfigProfile(const ConfigProfile&) = delete;
    ConfigProfile& operator=(const ConfigProfile&) = delete;

    // Opens the profile under this vendor key. Until then reads give their defaults and
    // writes are dropped, as there is no place to keep them.
    void SetRegistryKey(const std::string& key) override;
    std::string GetString(const std::string& section, const std::string& entry, const std::string& def = {}) override;
    void WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    int GetInt(const std::string& section, const std::string& entry, int def) override;
    void WriteInt(const std::string& section, const std::string& entry, int value) override;

    // The settings file where the platform keeps one (empty for the registry).
    std::filesystem::path SettingsFile() const;

private:
    void Save();

    std::string m_appName;
    std::unique_ptr<wxConfigBase> m_config;
};

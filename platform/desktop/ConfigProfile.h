// The per-user profile through wxConfig: the registry on Windows, a settings file in the
// user's configuration folder elsewhere. Entries are kept in memory and saved once, when the
// program ends.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Profile.h"
#include "platform/desktop/AtomicFile.h"

class wxConfigBase;

class ConfigProfile : public IProfile {
public:
    // appName names the profile's key (and on Linux the settings folder and file).
    explicit ConfigProfile(std::string appName);
    ~ConfigProfile() override;
    ConfigProfile(const ConfigProfile&) = delete;
    ConfigProfile& operator=(const ConfigProfile&) = delete;

    // Opens the profile under this vendor key: on Linux the settings file is read into memory
    // (a missing or unreadable one gives no entries). Until then reads give their defaults
    // and writes are dropped, as there is no place to keep them.
    void SetRegistryKey(const std::string& key) override;
    std::string GetString(const std::string& section, const std::string& entry, const std::string& def = {}) override;
    void WriteString(const std::string& section, const std::string& entry, const std::string& value) override;
    int GetInt(const std::string& section, const std::string& entry, int def) override;
    void WriteInt(const std::string& section, const std::string& entry, int value) override;

    // Takes the entries from the text of a settings file, as SetRegistryKey reads it. False
    // when the text could not be decoded (the profile then has no entries).
    bool LoadText(std::string_view text);
    // The entries as the text of a settings file, every section in it.
    std::string Text() const;

    // Stores what was written since the profile was opened, in one step: on Linux the settings
    // file is replaced atomically (see ReplaceFile, also for what a failure leaves). Returns an
    // empty string, or one line naming the file and why it could not be saved. A file that
    // exists but could not be read is never replaced.
    std::string Save();

    // The settings file where the platform keeps one (empty for the registry).
    std::filesystem::path SettingsFile() const;

private:
    std::string m_appName;
    std::unique_ptr<wxConfigBase> m_config;
    bool m_bDirty = false;
    std::string m_unreadable;  // why an existing settings file could not be read
};

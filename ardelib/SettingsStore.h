#pragma once
// The per-user store of named integers and texts in sections: one INI file per
// application below the company folder of the user's configuration folder.
#include <memory>
#include <string>

class CSettingsStore {
public:
    // $XDG_CONFIG_HOME/<company>/<application>.ini (~/.config when unset).
    CSettingsStore(const std::string& company, const std::string& application);
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    static std::string FilePath(const std::string& company, const std::string& application);
    const std::string& FilePath() const { return m_path; }

    // A missing value, or one that is not an integer, reads as def.
    int GetInt(const std::string& section, const std::string& key, int def) const;
    // Texts are UTF-8; a missing value reads as def.
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) const;
    bool Contains(const std::string& section, const std::string& key) const;
    void WriteInt(const std::string& section, const std::string& key, int value);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void Remove(const std::string& section, const std::string& key);
    // Writes pending changes to the file now.
    bool Sync();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    std::string m_path;
};

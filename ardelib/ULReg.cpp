#include "ardelib/ULReg.h"

#include "ardelib/SettingsStore.h"

namespace {
bool Usable(const std::string& application, const std::string& section, const std::string& name)
{
    // An empty part would address another application's or section's values.
    return !application.empty() && !section.empty() && !name.empty()
           && application.find('/') == std::string::npos;
}
} // namespace

std::string CULReg::GetCompanyKey() { return "Halvorn"; }

int CULReg::SetString(const std::string& application, const std::string& section, const std::string& name,
                      const std::string& text)
{
    if (!Usable(application, section, name))
        return 0;
    CSettingsStore store(GetCompanyKey(), application);
    store.WriteString(section, name, text.substr(0, text.find('\0')));
    return store.Sync() ? 1 : 0;
}

std::string CULReg::GetString(const std::string& application, const std::string& section, const std::string& name,
                              const std::string& def)
{
    if (!Usable(application, section, name))
        return def;
    CSettingsStore store(GetCompanyKey(), application);
    std::string text = store.GetString(section, name, def);
    return text.substr(0, text.find('\0'));
}

int CULReg::SetInteger(const std::string& application, const std::string& section, const std::string& name,
                       int value)
{
    if (!Usable(application, section, name))
        return 0;
    CSettingsStore store(GetCompanyKey(), application);
    store.WriteInt(section, name, value);
    return store.Sync() ? 1 : 0;
}

int CULReg::GetInteger(const std::string& application, const std::string& section, const std::string& name, int def)
{
    if (!Usable(application, section, name))
        return def;
    CSettingsStore store(GetCompanyKey(), application);
    return store.GetInt(section, name, def);
}

std::string CULReg::ProfileToRegistry(const std::string& profile) { return GetCompanyKey() + "/" + profile; }

#pragma once
// The maker's settings area, keyed by application and section: one INI file per
// application below the company folder ($XDG_CONFIG_HOME/Halvorn/<application>.ini).
#include <string>

class CULReg {
public:
    static std::string GetCompanyKey();
    // 1 on success, 0 when the store could not be written.
    static int SetString(const std::string& application, const std::string& section, const std::string& name,
                         const std::string& text);
    // The stored text (up to its first zero byte) when the value is a text; def otherwise.
    static std::string GetString(const std::string& application, const std::string& section,
                                 const std::string& name, const std::string& def);
    static int SetInteger(const std::string& application, const std::string& section, const std::string& name,
                          int value);
    // The stored value when it is an integer; def otherwise.
    static int GetInteger(const std::string& application, const std::string& section, const std::string& name,
                          int def);
    // The company folder, a separator, then the profile name.
    static std::string ProfileToRegistry(const std::string& profile);
};

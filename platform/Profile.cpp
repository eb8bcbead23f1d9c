#include "platform/Profile.h"

#include <memory>

namespace {
std::unique_ptr<CSettingsStore> g_profile;
}

CSettingsStore& AppProfile()
{
    if (!g_profile)
        g_profile = std::make_unique<CSettingsStore>("Halvorn", "Oltrane");
    return *g_profile;
}

void ResetAppProfile() { g_profile.reset(); }

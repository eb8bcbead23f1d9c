#pragma once
// The application's settings store (company "Halvorn", application "Oltrane").
#include "ardelib/SettingsStore.h"

CSettingsStore& AppProfile();
// Drops the open store so that the next AppProfile() reads the file anew (tests, after moving XDG_CONFIG_HOME).
void ResetAppProfile();

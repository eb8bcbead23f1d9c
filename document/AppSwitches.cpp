#include "document/AppSwitches.h"

#include "platform/Profile.h"

namespace {
AppSwitches g_switches;
}

AppSwitches& TheAppSwitches() { return g_switches; }

void AppSwitches::Read()
{
    CSettingsStore& p = AppProfile();
    const std::string u = "QLA_T_UTILITY";
    maximize = p.GetInt("QLA_T_LAYOUTSIZE", "maximize", 1);
    app_printsyokisave = p.GetInt(u, "app_printsyokisave", 0);
    app_linetyoku = p.GetInt(u, "app_linetyoku", 0);
    app_mousekyori = p.GetInt(u, "app_mousekyori", 1);
    app_gridallpita = p.GetInt(u, "app_gridallpita", 1);
    app_backup = p.GetInt(u, "app_backup", 1);
    app_gazoubai = p.GetInt(u, "app_gazoubai", 1);
    app_strecheven = p.GetInt(u, "app_strecheven", 0);
    app_gazousita = p.GetInt(u, "app_gazousita", 0);
    app_tatamiheri = p.GetInt(u, "app_tatamiheri", 1);
    app_autogridpita = p.GetInt(u, "app_autogridpita", 0);
    app_roomtextsiro = p.GetInt(u, "app_roomtextsiro", 1);
    printerSetupAtPrint = 1;
    app_hasiraauto = p.GetInt(u, "app_hasiraauto", 1);
    app_renzokusenbara = p.GetInt(u, "app_renzokusenbara", 0);
    app_hojonuriprt = p.GetInt(u, "app_hojonuriprt", 1);
    app_printrealmode = p.GetInt(u, "app_printrealmode", 0);
    app_undonum = p.GetInt(u, "app_undonum", 20);
    app_drawzelold = p.GetInt(u, "app_drawzelold", 0);
    objhabascale = p.GetInt(u, "objhabascale", 0);
}


#pragma once
// The application switches read from the settings store at start-up; the model,
// the drawing and the window consult them.

struct AppSwitches {
    int maximize = 1;
    int app_printsyokisave = 0;
    int app_linetyoku = 0;
    int app_mousekyori = 1;
    int app_gridallpita = 1;
    int app_backup = 1;
    int app_gazoubai = 1;
    int app_strecheven = 0;
    int app_gazousita = 0;
    int app_tatamiheri = 1;
    int app_autogridpita = 0;
    int app_roomtextsiro = 1;
    int printerSetupAtPrint = 1; // no key: printer setup is made when printing
    int app_hasiraauto = 1;
    int app_renzokusenbara = 0;
    int app_hojonuriprt = 1;
    int app_printrealmode = 0;
    int app_undonum = 20;
    int app_drawzelold = 0;
    int objhabascale = 0;

    // Reads every switch from the store, each with its default.
    void Read();
};

// The switches of the running program; the model and the drawing consult them.
AppSwitches& TheAppSwitches();

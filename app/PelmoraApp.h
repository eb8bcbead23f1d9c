#pragma once
// The application object: start-up, the switches read from the settings store,
// the window, and exit.
#include <memory>
#include <string>

class CMainFrame;
class CPelmoraDoc;

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

class CPelmoraApp {
public:
    static constexpr const char* kAppTitle = "Oltrane";
    static constexpr int kRecentFiles = 4;

    // The GUI: the window on a new document or on the file named. Returns the exit code.
    int Run(int argc, char** argv, const std::string& file);
};

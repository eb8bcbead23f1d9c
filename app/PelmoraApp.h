#pragma once
// The application object: start-up, the switches read from the settings store,
// the window, and exit.
#include "document/AppSwitches.h"

#include <memory>
#include <string>

class CMainFrame;
class CPelmoraDoc;

class CPelmoraApp {
public:
    static constexpr const char* kAppTitle = "Oltrane";
    static constexpr int kRecentFiles = 4;

    // The GUI: the window on a new document or on the file named. Returns the exit code.
    int Run(int argc, char** argv, const std::string& file);
};

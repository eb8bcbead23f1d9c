#pragma once
// The command-line side of the program: no display needed.
#include <string>
#include <vector>

// Runs a headless command when args (without the program name) name one; returns
// the exit code, or -1 when args ask for the GUI.
int RunHeadless(const std::vector<std::string>& args);

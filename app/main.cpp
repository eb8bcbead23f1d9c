#include "app/Headless.h"
#include "app/PelmoraApp.h"

#include <QGuiApplication>

#include <string>
#include <vector>

#include <cstdlib>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0].rfind("--", 0) == 0) {
        // Headless commands draw without a display.
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        QGuiApplication app(argc, argv);
        int rc = RunHeadless(args);
        return rc < 0 ? 2 : rc;
    }
    int rc = RunHeadless(args);
    if (rc >= 0)
        return rc;
    CPelmoraApp app;
    return app.Run(argc, argv, args.empty() ? std::string() : args[0]);
}

#include "app/Headless.h"
#include "app/PelmoraApp.h"

#include <QGuiApplication>

#include <string>
#include <vector>

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {
// Scripts read standard error for the user's messages: Qt's own chatter stays out of it.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg || std::getenv("OLTRANE_DEBUG"))
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0].rfind("--", 0) == 0) {
        // Headless commands draw without a display.
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(QuietQtMessages);
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

#include "app/PelmoraApp.h"

#include "app/GuiMessageSink.h"
#include "app/MainFrame.h"
#include "platform/Profile.h"
#include "render/FontSubstitution.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int CPelmoraApp::Run(int argc, char** argv, const std::string& file)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    // Qt's own dialogs (colours, files, printing) speak Japanese like the rest.
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    InstallFontSubstitutions();
    CMainFrame frame;
    CGuiMessageSink sink;
    sink.parent = &frame;
    SetMessageSink(&sink);
    if (frame.OfferRecovery()) {
        // The restored drawing takes the place of what the command line asked for.
    } else if (!file.empty()) {
        if (!frame.OpenDocumentFile(QString::fromStdString(file)))
            return 1;
    } else {
        frame.NewDocument();
    }
    frame.ShowAtStart();
    TheAppSwitches().Read();
    int rc = qapp.exec();
    SetMessageSink(nullptr);
    return rc;
}

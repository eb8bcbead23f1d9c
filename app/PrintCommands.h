#pragma once
// The File menu's printing and image commands: print, print preview, printer setup,
// page setup, print position, the whole-sheet image and the sheet on the clipboard.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class CPelmoraView;
class QMainWindow;
class QMenu;
class QPrinter;

class CPrintCommands : public QObject {
    Q_OBJECT
public:
    CPrintCommands(QMainWindow* frame, CPelmoraView* view);

    void Print();
    void Preview();
    void PrinterSetup();
    void PageSetup();
    void PrintPosition();
    void SheetImage();
    void CopyImage();

    // The printer the print dialog starts on (empty: the default one).
    void SetPrinterName(const QString& name) { m_printerName = name; }
    // The file dialogs: title, filters in order, the chosen filter's index back; an
    // empty path for cancel. Tests put their own answer here.
    std::function<QString(const QString& title, const QStringList& filters, int* chosen)> askSavePath;
    // The print dialog: true to print.
    std::function<bool(QPrinter&)> askPrinter;

private:
    // The printer the sheet prints on, or false with the message shown.
    bool SetUpPrinter(QPrinter& printer);
    // The offer to save a new document before its first print or preview.
    void OfferSave();
    QWidget* Parent() const;

    QMainWindow* m_frame;
    CPelmoraView* m_view;
    QString m_printerName;
    bool m_saveOffered = false;
};

// The commands as actions at the end of fileMenu, owned by frame.
CPrintCommands* AddPrintCommands(QMainWindow* frame, QMenu* fileMenu, CPelmoraView* view);

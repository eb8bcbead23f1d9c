#include "app/PrintCommands.h"

#include "app/MainFrame.h"
#include "app/PageSetDg.h"
#include "app/PagePrinter.h"
#include "app/PelmoraView.h"
#include "app/PrintmoveDg.h"
#include "ardelib/Message.h"
#include "content/PageSetup.h"
#include "document/PelmoraDoc.h"
#include "platform/Profile.h"
#include "render/PageExport.h"
#include "render/PagePrint.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }

QString AskSavePath(QWidget* parent, const QString& title, const QStringList& filters, int* chosen)
{
    QFileDialog dlg(parent, title);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters(filters);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    if (chosen)
        *chosen = static_cast<int>(filters.indexOf(dlg.selectedNameFilter()));
    return dlg.selectedFiles().front();
}

// The extension of filter "…(*.png)".
QString ExtensionOf(const QString& filter)
{
    const qsizetype star = filter.lastIndexOf(QStringLiteral("*."));
    return star < 0 ? QString() : filter.mid(star + 2).remove(QLatin1Char(')')).trimmed();
}
} // namespace

CPrintCommands::CPrintCommands(QMainWindow* frame, CPelmoraView* view) : QObject(frame), m_frame(frame), m_view(view)
{
    askSavePath = [this](const QString& title, const QStringList& filters, int* chosen) {
        return AskSavePath(Parent(), title, filters, chosen);
    };
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dlg(&printer, Parent());
        dlg.setMinMax(1, 1);
        return dlg.exec() == QDialog::Accepted;
    };
}

QWidget* CPrintCommands::Parent() const { return m_frame; }

void CPrintCommands::OfferSave()
{
    CPelmoraDoc* doc = m_view->GetDocument();
    if (m_saveOffered || !AppProfile().GetInt("QLA_T_UTILITY", "app_printsyokisave", 0) || !doc->GetPathName().empty())
        return;
    m_saveOffered = true;
    int chosen = 0;
    QString path = askSavePath(U("Oltraneの保存"), {U("Oltraneファイル(*.q_l)")}, &chosen);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".q_l");
    doc->OnSaveDocument(path.toStdString());
    if (auto* main = qobject_cast<CMainFrame*>(m_frame))
        main->UpdateTitle();
}

bool CPrintCommands::SetUpPrinter(QPrinter& printer)
{
    std::string error;
    if (!pageprinter::ChoosePrinter(printer, m_printerName.toStdString(), error) ||
        !pageprinter::PreparePrinter(printer, m_view->GetDocument()->m_plotInfo.Paper(), error)) {
        ShowMessage(error);
        return false;
    }
    return true;
}

void CPrintCommands::Print()
{
    OfferSave();
    CPelmoraDoc* doc = m_view->GetDocument();
    QPrinter printer(QPrinter::HighResolution);
    if (!SetUpPrinter(printer))
        return;
    printer.setDocName(QString::fromStdString(doc->GetTitle()));
    if (!askPrinter(printer))
        return;
    m_printerName = printer.printerName();
    // The dialog sets the service's options anew: the sheet's paper, full page and no
    // scaling go back on.
    std::string error;
    if (!pageprinter::PreparePrinter(printer, doc->m_plotInfo.Paper(), error) ||
        !pageprinter::PrintPage(*doc, printer, error))
        ShowMessage(error);
}

void CPrintCommands::Preview()
{
    OfferSave();
    CPelmoraDoc* doc = m_view->GetDocument();
    QPrinter printer(QPrinter::HighResolution);
    if (!SetUpPrinter(printer))
        return;
    QPrintPreviewDialog dlg(&printer, Parent());
    dlg.setWindowTitle(U("印刷ﾌﾟﾚﾋﾞｭｰ"));
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [doc](QPrinter* p) {
        // Printed from the preview, the job goes out as from the print command.
        std::string error;
        if (!pageprinter::PreparePrinter(*p, doc->m_plotInfo.Paper(), error)) {
            ShowMessage(error);
            return;
        }
        QPainter painter(p);
        pageprint::DrawPrintedPage(painter, *doc, *p, pageprint::ReadPrintMove());
    });
    dlg.exec();
}

void CPrintCommands::PrinterSetup() { ShowMessage("ﾌﾟﾘﾝﾀの設定は印刷時に行ないます。"); }

void CPrintCommands::PageSetup()
{
    CPelmoraDoc* doc = m_view->GetDocument();
    CPlotInfo& pi = doc->m_plotInfo;
    CPageSetDg dlg(pi.m_paperSize, {pi.m_paperUserX, pi.m_paperUserY}, Parent());
    if (dlg.exec() != QDialog::Accepted)
        return;
    const int code = dlg.Code();
    const pagesetup::UserSize user = dlg.User();
    if (code == pi.m_paperSize && user.widthMm == pi.m_paperUserX && user.heightMm == pi.m_paperUserY)
        return;
    pi.m_paperSize = code;
    pi.m_paperUserX = user.widthMm;
    pi.m_paperUserY = user.heightMm;
    doc->SetModifiedFlag();
    m_view->Redraw();
}

void CPrintCommands::PrintPosition()
{
    CPrintmoveDg dlg(pageprint::ReadPrintMove(), Parent());
    if (dlg.exec() == QDialog::Accepted)
        pageprint::WritePrintMove(dlg.Move());
}

void CPrintCommands::SheetImage()
{
    CPelmoraDoc* doc = m_view->GetDocument();
    doc->m_toolMode = 0;
    CSettingsStore& s = AppProfile();
    const auto types = pagesetup::ImageFileTypes(s.GetInt("QLA_T_UTILITY", "gazououtput_type", 0), true);
    QStringList filters;
    for (const auto& t : types)
        filters << QString::fromStdString(t.label);
    int chosen = 0;
    QString path = askSavePath(U("画像の保存"), filters, &chosen);
    if (path.isEmpty())
        return;
    // A name without an extension takes the chosen file type's.
    if (QFileInfo(path).suffix().isEmpty() && chosen >= 0 && chosen < filters.size())
        path += QLatin1Char('.') + ExtensionOf(filters[chosen]);
    const std::string file = path.toStdString();
    const pageexport::Format format = pagesetup::ImageFormatOf(file);
    const PaperSheet sheet = doc->m_plotInfo.Paper();
    const int dpi = pagesetup::SheetImageDpi(m_view->PaperRect().Width(), sheet.widthMm,
                                             m_view->ZoomModel().Zoomed(), s.GetInt("QLA_T_UTILITY", "app_gazoubai", 1) != 0);
    std::string error;
    const bool ok = format == pageexport::Format::Emf
                        ? pageexport::Export(*doc, file, dpi, error)
                        : pageexport::ExportRaster(*doc, file, format, dpi, pageexport::RasterOptionsFromSettings(true), error);
    if (!ok) {
        ShowMessage(error);
        return;
    }
    s.WriteInt("QLA_T_UTILITY", "gazououtput_type", pagesetup::OutputTypeOf(format));
    s.Sync();
    m_view->Redraw();
}

void CPrintCommands::CopyImage()
{
    CPelmoraDoc* doc = m_view->GetDocument();
    const PaperSheet sheet = doc->m_plotInfo.Paper();
    const int dpi = pagesetup::SheetImageDpi(m_view->PaperRect().Width(), sheet.widthMm, true, false);
    QImage img(pageexport::RasterSize(sheet.widthMm, sheet.heightMm, dpi), QImage::Format_RGB32);
    if (img.isNull()) {
        ShowMessage("画像を作れません。");
        return;
    }
    const int dpm = static_cast<int>(dpi / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    pageexport::RenderPage(*doc, img);
    QGuiApplication::clipboard()->setImage(img.convertToFormat(QImage::Format_RGB888));
}

CPrintCommands* AddPrintCommands(QMainWindow* frame, QMenu* fileMenu, CPelmoraView* view)
{
    auto* c = new CPrintCommands(frame, view);
    auto add = [&](const char* text, const char* name, void (CPrintCommands::*slot)(), QKeySequence key = {}) {
        QAction* a = fileMenu->addAction(U(text), key, c, slot);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    fileMenu->addSeparator();
    add("印刷(&P)...", "filePrint", &CPrintCommands::Print, QKeySequence(Qt::CTRL | Qt::Key_P));
    add("印刷ﾌﾟﾚﾋﾞｭｰ(&O)", "filePrintPreview", &CPrintCommands::Preview);
    add("ﾌﾟﾘﾝﾀの設定(&R)...", "filePrintSetup", &CPrintCommands::PrinterSetup);
    add("用紙設定(&Y)...", "filePageSetup", &CPrintCommands::PageSetup);
    add("印刷位置調整(&N)...", "filePrintMove", &CPrintCommands::PrintPosition);
    fileMenu->addSeparator();
    add("イメージ通りに出力(&G)...", "fileSheetImage", &CPrintCommands::SheetImage);
    add("クリップボードに画像としてｺﾋﾟｰ（&G）", "fileCopyImage", &CPrintCommands::CopyImage);
    return c;
}

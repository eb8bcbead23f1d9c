#include "render/PageExport.h"

#include "document/PelmoraDoc.h"
#include "render/PageDraw.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <cctype>
#include <cmath>

namespace pageexport {
namespace {
std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

void DrawOn(QPainter& p, const CPelmoraDoc& doc, QPaintDevice& device)
{
    PaperSheet sheet = doc.m_plotInfo.Paper();
    PageRequest req;
    req.dev.printing = true;
    req.dev.dpiX = device.logicalDpiX();
    req.dev.dpiY = device.logicalDpiY();
    req.dev.width = device.width();
    req.dev.height = device.height();
    req.dev.sheetW = sheet.widthMm;
    req.dev.sheetH = sheet.heightMm;
    req.screen = false;
    req.printMode = 1;
    DrawPage(p, doc, req);
}

// The generator states the size from whole device units; the sheet's own millimetres
// go in its place.
bool FixSvgSize(const QString& file, int widthMm, int heightMm)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray svg = f.readAll();
    f.close();
    static const QRegularExpression size(QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    QString text = QString::fromUtf8(svg);
    QRegularExpressionMatch m = size.match(text);
    if (!m.hasMatch())
        return true;
    text.replace(m.capturedStart(), m.capturedLength(),
                 QStringLiteral("<svg width=\"%1mm\" height=\"%2mm\"").arg(widthMm).arg(heightMm));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray out = text.toUtf8();
    return f.write(out) == out.size() && f.flush();
}
} // namespace

Format FormatOf(const std::string& path)
{
    auto dot = path.rfind('.');
    auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return Format::Unknown;
    std::string ext = Lower(path.substr(dot + 1));
    if (ext == "png")
        return Format::Png;
    if (ext == "jpg" || ext == "jpeg")
        return Format::Jpeg;
    if (ext == "bmp")
        return Format::Bmp;
    if (ext == "pdf")
        return Format::Pdf;
    if (ext == "svg")
        return Format::Svg;
    return Format::Unknown;
}

QSize RasterSize(double widthMm, double heightMm, int dpi)
{
    return QSize(static_cast<int>(std::lround(widthMm * dpi / 25.4)), static_cast<int>(std::lround(heightMm * dpi / 25.4)));
}

void RenderPage(const CPelmoraDoc& doc, QImage& image)
{
    image.fill(Qt::white);
    QPainter p(&image);
    DrawOn(p, doc, image);
}

bool Export(const CPelmoraDoc& doc, const std::string& path, int dpi, std::string& error, int jpegQuality)
{
    const Format format = FormatOf(path);
    const PaperSheet sheet = doc.m_plotInfo.Paper();
    const QString file = QString::fromStdString(path);
    switch (format) {
    case Format::Unknown:
        error = "この形式には書き出せません: " + path;
        return false;
    case Format::Pdf: {
        QPdfWriter pdf(file);
        pdf.setResolution(kVectorDpi);
        pdf.setPageSize(QPageSize(QSizeF(sheet.widthMm, sheet.heightMm), QPageSize::Millimeter, QString(),
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        pdf.setCreator(QStringLiteral("Oltrane"));
        QPainter p;
        if (!p.begin(&pdf)) {
            error = "ファイルに書き込めません: " + path;
            return false;
        }
        DrawOn(p, doc, pdf);
        if (!p.end()) {
            error = "ファイルに書き込めません: " + path;
            return false;
        }
        return true;
    }
    case Format::Svg: {
        QSvgGenerator svg;
        svg.setFileName(file);
        QSize size = RasterSize(sheet.widthMm, sheet.heightMm, kVectorDpi);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kVectorDpi);
        svg.setTitle(QStringLiteral("Oltrane"));
        QPainter p;
        if (!p.begin(&svg)) {
            error = "ファイルに書き込めません: " + path;
            return false;
        }
        DrawOn(p, doc, svg);
        p.end();
        if (!FixSvgSize(file, sheet.widthMm, sheet.heightMm)) {
            error = "ファイルに書き込めません: " + path;
            return false;
        }
        return true;
    }
    default:
        break;
    }

    if (dpi < 1 || dpi > kMaxDpi) {
        error = "解像度は 1 から " + std::to_string(kMaxDpi) + " dpi の範囲で指定してください。";
        return false;
    }
    QSize size = RasterSize(sheet.widthMm, sheet.heightMm, dpi);
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxRasterSide || size.height() > kMaxRasterSide) {
        error = "画像が大きすぎます。";
        return false;
    }
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        error = "画像を作れません。";
        return false;
    }
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    RenderPage(doc, image);

    QImageWriter writer(file);
    switch (format) {
    case Format::Png:
        writer.setFormat("png");
        // Qt maps quality q to zlib level (100 - q) x 9 / 91.
        writer.setQuality(100 - (kPngCompression * 91 + 8) / 9);
        break;
    case Format::Jpeg:
        writer.setFormat("jpeg");
        writer.setQuality(std::clamp(jpegQuality, 0, 100));
        break;
    default:
        writer.setFormat("bmp");
        image = image.convertToFormat(QImage::Format_RGB888);
        break;
    }
    if (!writer.write(image)) {
        error = "ファイルに書き込めません: " + path;
        return false;
    }
    return true;
}
} // namespace pageexport

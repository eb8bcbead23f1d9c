#include "render/PageExport.h"

#include "document/PelmoraDoc.h"
#include "platform/EmfWriter.h"
#include "platform/ImageLib.h"
#include "platform/PngWriter.h"
#include "platform/Profile.h"
#include "render/BandPainter.h"
#include "render/PageDraw.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
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

PageRequest RequestFor(const CPelmoraDoc& doc, int dpiX, int dpiY, QSize size, const PageSettings& settings)
{
    PaperSheet sheet = doc.m_plotInfo.Paper();
    PageRequest req;
    req.dev.printing = true;
    req.dev.dpiX = dpiX;
    req.dev.dpiY = dpiY;
    req.dev.width = size.width();
    req.dev.height = size.height();
    req.dev.sheetW = sheet.widthMm;
    req.dev.sheetH = sheet.heightMm;
    req.screen = false;
    req.printMode = 1;
    // Plans keep their screen line widths unless the user asked for corrected ones.
    req.planPrintMode = settings.gazouHoseinasi ? 2 : 1;
    req.settings = &settings;
    return req;
}

void DrawOn(QPainter& p, const CPelmoraDoc& doc, const QPaintDevice& device, const PageSettings& settings)
{
    DrawPage(p, doc,
             RequestFor(doc, device.logicalDpiX(), device.logicalDpiY(), QSize(device.width(), device.height()), settings));
}

// The sheet drawn into a new raster page of size at dpm dots per metre; the settings
// are read here, before any band starts.
QImage DrawRaster(const CPelmoraDoc& doc, QSize size, QImage::Format format, int dpmX, int dpmY, int bands,
                  QColor paper = Qt::white)
{
    if (bands <= 0)
        bands = BandsFor(size, 4ll << 20);
    // As QImage reports its resolution to a painter.
    const int dpiX = static_cast<int>(std::lround(dpmX * 0.0254)), dpiY = static_cast<int>(std::lround(dpmY * 0.0254));
    const PageSettings settings = PageSettings::Read();
    const PageRequest req = RequestFor(doc, dpiX, dpiY, size, settings);
    PreparePage(doc, req);
    return DrawNewPage(
        size, format, dpmX, dpmY, bands, [&doc, &req](QPainter& p, int) { DrawPage(p, doc, req); }, paper);
}

// The generator states the size from whole device units; the sheet's own millimetres
// go in its place.
void FixSvgSize(QByteArray& svg, int widthMm, int heightMm)
{
    static const QRegularExpression size(QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    // The header lies in the first few hundred bytes; the rest may be tens of megabytes.
    const QString head = QString::fromUtf8(svg.left(4096));
    QRegularExpressionMatch m = size.match(head);
    if (!m.hasMatch())
        return;
    const QByteArray before = head.left(m.capturedStart()).toUtf8();
    const QByteArray found = m.captured().toUtf8();
    svg.replace(before.size(), found.size(),
                QStringLiteral("<svg width=\"%1mm\" height=\"%2mm\"").arg(widthMm).arg(heightMm).toUtf8());
}

bool Opaque(const QImage& img)
{
    if (!img.hasAlphaChannel())
        return true;
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

// The generator embeds every picture as PNG. Photographs become JPEG instead: a tenth
// of the size, and a flyer of many photos stays readable by SVG readers that give up
// on tens of megabytes of embedded pictures (librsvg among them). Pictures with
// transparent parts keep their PNG.
QByteArray PhotosAsJpeg(const QByteArray& svg)
{
    static const QByteArray kPng = "xlink:href=\"data:image/png;base64,";
    QByteArray out;
    out.reserve(svg.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = svg.indexOf(kPng, from);
        const qsizetype data = at < 0 ? -1 : at + kPng.size();
        const qsizetype end = at < 0 ? -1 : svg.indexOf('"', data);
        if (end < 0) {
            out.append(svg.mid(from));
            return out;
        }
        out.append(svg.mid(from, at - from));
        const QImage img = QImage::fromData(QByteArray::fromBase64(svg.mid(data, end - data)), "PNG");
        QByteArray jpeg;
        if (!img.isNull() && Opaque(img)) {
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            if (!img.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", kSvgJpegQuality))
                jpeg.clear();
        }
        if (jpeg.isEmpty())
            out.append(svg.mid(at, end - at));
        else
            out.append("xlink:href=\"data:image/jpeg;base64,").append(jpeg.toBase64());
        from = end;
    }
}

std::string CannotWrite(const std::string& path) { return "ファイルに書き込めません: " + path; }

// Every output goes to a fresh file beside the target that replaces it only once it
// is complete: a failed export leaves whatever was there before.
bool Commit(QSaveFile& file, std::string& error, const std::string& path)
{
    // The last buffered bytes are written here: a failure of theirs would not stop
    // commit() from putting an empty or cut file in place.
    if (!file.flush())
        file.cancelWriting();
    if (file.commit())
        return true;
    error = CannotWrite(path);
    return false;
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
    if (ext == "gif")
        return Format::Gif;
    if (ext == "emf")
        return Format::Emf;
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

void RenderPage(const CPelmoraDoc& doc, QImage& image, int bands, QColor paper)
{
    image = DrawRaster(doc, image.size(), image.format(), image.dotsPerMeterX(), image.dotsPerMeterY(), bands, paper);
}

bool ExportPdfPages(const std::string& path, int count, const std::function<const CPelmoraDoc*(int)>& page,
                    std::string& error)
{
    QSaveFile out(QString::fromStdString(path));
    if (!out.open(QIODevice::WriteOnly)) {
        error = CannotWrite(path);
        return false;
    }
    QPdfWriter pdf(&out);
    pdf.setResolution(kVectorDpi);
    pdf.setCreator(QStringLiteral("Oltrane"));
    QPainter p;
    int drawn = 0;
    const PageSettings settings = PageSettings::Read();
    for (int i = 0; i < count; ++i) {
        const CPelmoraDoc* doc = page(i);
        if (!doc)
            continue;
        const PaperSheet sheet = doc->m_plotInfo.Paper();
        pdf.setPageSize(
            QPageSize(QSizeF(sheet.widthMm, sheet.heightMm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        if (drawn == 0 ? !p.begin(&pdf) : !pdf.newPage()) {
            error = CannotWrite(path);
            return false;
        }
        DrawOn(p, *doc, pdf, settings);
        ++drawn;
    }
    if (drawn == 0) {
        error = "書き出すページがありません。";
        return false;
    }
    if (!p.end()) {
        error = CannotWrite(path);
        return false;
    }
    return Commit(out, error, path);
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
    case Format::Pdf:
        return ExportPdfPages(path, 1, [&doc](int) { return &doc; }, error);
    case Format::Svg: {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        QSize size = RasterSize(sheet.widthMm, sheet.heightMm, kVectorDpi);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kVectorDpi);
        svg.setTitle(QStringLiteral("Oltrane"));
        QPainter p;
        if (!p.begin(&svg)) {
            error = CannotWrite(path);
            return false;
        }
        DrawOn(p, doc, svg, PageSettings::Read());
        p.end();
        buffer.close();
        FixSvgSize(bytes, sheet.widthMm, sheet.heightMm);
        bytes = PhotosAsJpeg(bytes);
        QSaveFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            error = CannotWrite(path);
            return false;
        }
        return Commit(out, error, path);
    }
    default:
        break;
    }

    if (format == Format::Emf) {
        CEmfDevice emf(QSizeF(sheet.widthMm, sheet.heightMm), kVectorDpi);
        QPainter p;
        if (!p.begin(&emf)) {
            error = CannotWrite(path);
            return false;
        }
        DrawOn(p, doc, emf, PageSettings::Read());
        p.end();
        const QByteArray bytes = emf.Bytes();
        QSaveFile out(file);
        if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            error = CannotWrite(path);
            return false;
        }
        return Commit(out, error, path);
    }
    RasterOptions options = RasterOptionsFromSettings(false);
    options.jpegQuality = jpegQuality;
    return ExportRaster(doc, path, format, dpi, options, error);
}

GifKey GifKeyFor(bool transparentGif, bool smoothed, bool fitted)
{
    if (!transparentGif)
        return GifKey::None;
    return smoothed || fitted ? GifKey::White : GifKey::Teal;
}

RasterOptions RasterOptionsFromSettings(bool fitToBox)
{
    const CSettingsStore& s = AppProfile();
    RasterOptions o;
    o.jpegQuality = std::clamp(s.GetInt("QLA_T_UTILITY", "gazou_jpeg_atu", 100), 0, 100);
    const bool smooth = s.GetInt("QLA_T_PlotMenu", "gazou_antieirias", 0) != 0;
    const bool fit = s.GetInt("QLA_T_PlotMenu", "gazou_size", 1) != 0;
    o.gifKey = GifKeyFor(s.GetInt("QLA_T_PlotMenu", "gazou_toukagif", 0) != 0, smooth, fit);
    if (fitToBox) {
        o.smooth = smooth && o.gifKey != GifKey::Teal;
        if (fit) {
            o.boxW = std::max(0, s.GetInt("QLA_T_PlotMenu", "gazou_size_w", 1200));
            o.boxH = std::max(0, s.GetInt("QLA_T_PlotMenu", "gazou_size_h", 1200));
        }
    }
    return o;
}

QImage SmoothHardEdges(const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    QImage out = src;
    const int w = src.width(), h = src.height();
    auto at = [&](int x, int y) { return reinterpret_cast<const QRgb*>(src.constScanLine(y))[x]; };
    auto far = [](QRgb a, QRgb b) {
        const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
        return dr * dr + dg * dg + db * db > 8000;
    };
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = at(x, y);
            bool hard = false;
            int r = 0, g = 0, b = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    const QRgb o = at(nx, ny);
                    hard = hard || far(c, o);
                    r += qRed(o), g += qGreen(o), b += qBlue(o), ++n;
                }
            if (hard)
                row[x] = qRgb(r / n, g / n, b / n);
        }
    }
    return out;
}

QSize FitToBox(QSize size, int boxW, int boxH)
{
    if (size.isEmpty() || (boxW <= 0 && boxH <= 0))
        return size;
    const double w = size.width(), h = size.height();
    double scale;
    if (boxW > 0 && boxH > 0)
        scale = h / boxH < w / boxW ? boxW / w : boxH / h;
    else if (boxW > 0)
        scale = boxW / w;
    else
        scale = boxH / h;
    return QSize(std::max(1, static_cast<int>(std::lround(w * scale))), std::max(1, static_cast<int>(std::lround(h * scale))));
}

bool ExportRaster(const CPelmoraDoc& doc, const std::string& path, Format format, int dpi, const RasterOptions& options,
                  std::string& error)
{
    const PaperSheet sheet = doc.m_plotInfo.Paper();
    const QString file = QString::fromStdString(path);
    if (format != Format::Png && format != Format::Jpeg && format != Format::Bmp && format != Format::Gif) {
        error = "この形式には書き出せません: " + path;
        return false;
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
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    const bool teal = format == Format::Gif && options.gifKey == GifKey::Teal;
    QImage image = DrawRaster(doc, size, QImage::Format_RGB32, dpm, dpm, 0, teal ? QColor::fromRgb(kGifTeal) : QColor(Qt::white));
    if (image.isNull()) {
        error = "画像を作れません。";
        return false;
    }
    if (options.smooth && !teal)
        image = SmoothHardEdges(image);
    if (options.boxW > 0 || options.boxH > 0) {
        const QSize fitted = FitToBox(image.size(), options.boxW, options.boxH);
        if (fitted != image.size())
            image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (format == Format::Gif) {
        imglib::ImgPtr handle(imglib::FromImage(image));
        image = QImage(); // the handle holds its own copy
        int written = 0;
        if (handle && options.gifKey == GifKey::None) {
            written = imglib::WriteGif(path, handle.get());
        } else if (handle) {
            imglib::ImgTransparency key;
            key.words[0] = imglib::kTransparentFlag;
            const QRgb c = teal ? kGifTeal : 0xffffffff;
            key.words[1] = qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
            written = imglib::WriteGifTransparent(path, handle.get(), key);
        }
        if (!written) {
            error = CannotWrite(path);
            return false;
        }
        return true;
    }

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        error = CannotWrite(path);
        return false;
    }
    if (format == Format::Png) {
        if (!pngwriter::Write(out, image, kPngCompression)) {
            error = CannotWrite(path);
            return false;
        }
        return Commit(out, error, path);
    }
    QImageWriter writer(&out, QByteArray());
    switch (format) {
    case Format::Jpeg:
        writer.setFormat("jpeg");
        writer.setQuality(std::clamp(options.jpegQuality, 0, 100));
        break;
    default:
        writer.setFormat("bmp");
        image = image.convertToFormat(QImage::Format_RGB888);
        break;
    }
    if (!writer.write(image)) {
        error = CannotWrite(path);
        return false;
    }
    return Commit(out, error, path);
}
} // namespace pageexport

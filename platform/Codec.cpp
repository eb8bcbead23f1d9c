#include "platform/Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp932 {
namespace {
constexpr const char* kName = "windows-31j";
}

QString ToQString(std::string_view bytes)
{
    QStringDecoder dec(kName);
    return dec(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToUtf8(std::string_view bytes) { return ToQString(bytes).toStdString(); }

bool FromQString(const QString& text, std::string& out)
{
    QStringEncoder enc(kName);
    QByteArray b = enc(text);
    if (enc.hasError())
        return false;
    out.assign(b.constData(), static_cast<std::size_t>(b.size()));
    return true;
}

bool FromUtf8(std::string_view utf8, std::string& out)
{
    return FromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), out);
}

std::string Lit(std::string_view utf8)
{
    std::string out;
    FromUtf8(utf8, out);
    return out;
}
} // namespace cp932

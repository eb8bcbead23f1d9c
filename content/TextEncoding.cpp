#include "content/TextEncoding.h"

#include "platform/Codec.h"

#include <QString>

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";
} // namespace

CTextEncoding::Encoding CTextEncoding::Detect(std::string_view& bytes)
{
    if (bytes.substr(0, kBom.size()) == kBom) {
        bytes.remove_prefix(kBom.size());
        return Encoding::Utf8Bom;
    }
    bool nonAscii = false;
    return IsUtf8(bytes, nonAscii) && nonAscii ? Encoding::Utf8 : Encoding::Cp932;
}

bool CTextEncoding::IsUtf8(std::string_view s, bool& nonAscii)
{
    nonAscii = false;
    std::size_t i = 0, n = s.size();
    while (i < n) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        std::size_t len;
        unsigned cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (std::size_t k = 1; k < len; ++k) {
            if (i + k >= n)
                return true;
            auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += len;
    }
    return true;
}

std::string CTextEncoding::Utf8ToCp932(std::string_view utf8, std::size_t& replaced)
{
    replaced = 0;
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::string out;
    if (cp932::FromQString(text, out))
        return out;
    // Rare: find the characters that do not fit, one by one.
    out.clear();
    out.reserve(utf8.size());
    const std::string question = cp932::Lit("？");
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        std::string one;
        if (cp932::FromQString(text.mid(i, len), one)) {
            out += one;
        } else {
            out += question;
            ++replaced;
        }
        i += len;
    }
    return out;
}

std::string CTextEncoding::ToCp932(std::string_view bytes)
{
    if (Detect(bytes) == Encoding::Cp932)
        return std::string(bytes);
    std::size_t replaced = 0;
    return Utf8ToCp932(bytes, replaced);
}

std::string CTextEncoding::ReplacedNote(std::size_t replaced)
{
    return "Shift-JIS で表せない文字 " + std::to_string(replaced) + " 個を「？」に置き換えました。";
}

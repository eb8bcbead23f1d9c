#include "content/TextEncoding.h"

#include "platform/Codec.h"

#include <QString>
#include <QStringList>
#include <QStringEncoder>

#include <cstdint>
#include <vector>

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Code page 932 bytes of every character of the Basic Multilingual Plane the code page
// holds (0: not held), as the codec itself encodes them; built once with two codec
// calls, so that converting a large UTF-8 file is a table look-up per character.
class Cp932Table {
public:
    Cp932Table() : m_code(0x10000, 0)
    {
        std::string codes;
        std::vector<std::uint16_t> order;
        auto add = [&](unsigned code) {
            if (code > 0xFF)
                codes.push_back(static_cast<char>(code >> 8));
            codes.push_back(static_cast<char>(code & 0xFF));
            codes.push_back('\n');
            order.push_back(static_cast<std::uint16_t>(code));
        };
        for (unsigned c = 0x20; c < 0x7F; ++c)
            add(c);
        for (unsigned c = 0xA1; c <= 0xDF; ++c)
            add(c);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                if (trail != 0x7F)
                    add(lead << 8 | trail);
        }
        const QStringList chars = cp932::ToQString(codes).split(QLatin1Char('\n'));
        // Encode the decoded characters back: where two codes decode alike, the one the
        // encoder writes is the one kept.
        QString back;
        std::vector<char16_t> candidate(order.size(), 0);
        for (std::size_t i = 0; i < order.size() && i < static_cast<std::size_t>(chars.size()); ++i) {
            const QString& ch = chars[static_cast<qsizetype>(i)];
            if (ch.size() == 1 && ch[0] != QChar::ReplacementCharacter && !ch[0].isSurrogate())
                candidate[i] = ch[0].unicode();
            back += candidate[i] ? ch : QStringLiteral("?");
            back += QLatin1Char('\n');
        }
        QStringEncoder enc("windows-31j");
        const QByteArray encoded = enc(back);
        const QList<QByteArray> pieces = encoded.split('\n');
        for (std::size_t i = 0; i < order.size() && i < static_cast<std::size_t>(pieces.size()); ++i) {
            if (!candidate[i])
                continue;
            const QByteArray& b = pieces[static_cast<qsizetype>(i)];
            unsigned code = b.size() == 1 ? static_cast<unsigned char>(b[0])
                            : b.size() == 2 ? static_cast<unsigned char>(b[0]) << 8 | static_cast<unsigned char>(b[1])
                                            : 0;
            if (code == order[i])
                m_code[candidate[i]] = order[i];
        }
        for (unsigned c = 0; c < 0x20; ++c)
            m_code[c] = static_cast<std::uint16_t>(c);
        m_code[0x7F] = 0x7F;
    }
    std::uint16_t Code(char32_t c) const { return c < 0x10000 ? m_code[c] : 0; }

private:
    std::vector<std::uint16_t> m_code;
};

const Cp932Table& TheTable()
{
    static const Cp932Table table;
    return table;
}
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
    const Cp932Table& table = TheTable();
    const std::string question = cp932::Lit("？");
    std::string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        char32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
        std::size_t k = 1;
        for (; k < len && i + k < n && (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80; ++k)
            cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (k < len || c < 0xC2 || c > 0xF4) {
            // Not UTF-8 here: counted and replaced like a character the code page lacks.
            out += question;
            ++replaced;
            i += k;
            continue;
        }
        i += len;
        if (std::uint16_t code = table.Code(cp)) {
            if (code > 0xFF)
                out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
            continue;
        }
        // Rare: what the table lacks may still have a spelling the encoder knows.
        std::string one;
        if (cp932::FromQString(QString::fromUcs4(&cp, 1), one)) {
            out += one;
        } else {
            out += question;
            ++replaced;
        }
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

#include "render/FontSubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {
struct Substitution {
    const char16_t* face;
    const char* installed;
};
// Full-width and ASCII spellings of the common faces, and the user-interface face.
constexpr Substitution kSubstitutions[] = {
    {u"ＭＳ ゴシック", "IPAGothic"},   {u"ＭＳ 明朝", "IPAMincho"},     {u"ＭＳ Ｐゴシック", "IPAPGothic"},
    {u"ＭＳ Ｐ明朝", "IPAPMincho"},    {u"MS Gothic", "IPAGothic"},     {u"MS Mincho", "IPAMincho"},
    {u"MS PGothic", "IPAPGothic"},     {u"MS PMincho", "IPAPMincho"},   {u"MS UI Gothic", "IPAPGothic"},
    {u"ＭＳ ＵＩ ゴシック", "IPAPGothic"},
};

// Faces that still draw Japanese when the wanted one is missing.
QStringList JapaneseFallbacks(const char* first)
{
    QStringList list{QString::fromLatin1(first)};
    for (const char* f : {"IPAGothic", "IPAPGothic", "IPAMincho", "IPAPMincho"})
        if (!list.contains(QLatin1String(f)))
            list << QString::fromLatin1(f);
    return list;
}

// Whether a face draws as itself or through a substitution, by face.
QHash<QString, bool>& KnownFaces()
{
    static thread_local QHash<QString, bool> known; // per drawing thread
    return known;
}

bool Available(const QString& face)
{
    QHash<QString, bool>& known = KnownFaces();
    auto it = known.constFind(face);
    if (it != known.constEnd())
        return *it;
    bool ok = QFontDatabase::hasFamily(face);
    if (!ok)
        for (const QString& s : QFont::substitutes(face))
            if (QFontDatabase::hasFamily(s)) {
                ok = true;
                break;
            }
    known.insert(face, ok);
    return ok;
}
} // namespace

void InstallFontSubstitutions()
{
    for (const Substitution& s : kSubstitutions) {
        const QString face = QString::fromUtf16(s.face);
        if (QFont::substitutes(face).isEmpty())
            QFont::insertSubstitutions(face, JapaneseFallbacks(s.installed));
    }
    KnownFaces().clear();
}

QString ResolveFace(const QString& stored, const QString& fallback)
{
    QString face = stored.startsWith(QLatin1Char('@')) ? stored.mid(1) : stored;
    if (!face.isEmpty() && Available(face))
        return face;
    QString fb = fallback.startsWith(QLatin1Char('@')) ? fallback.mid(1) : fallback;
    if (!fb.isEmpty() && Available(fb))
        return fb;
    return QString();
}

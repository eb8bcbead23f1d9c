#include "app/InfoJsonTexts.h"

#include "document/PelUnit.h"
#include "platform/Codec.h"

#include <QJsonObject>

namespace {
QJsonArray Pair(double a, double b) { return QJsonArray{a, b}; }
} // namespace

QJsonArray InfoTexts(const CPelUnit& unit)
{
    QJsonArray texts;
    for (const auto& t : unit.m_texts) {
        QJsonObject o;
        o["id"] = t->m_id;
        QString text = cp932::ToQString(t->m_text);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        o["text"] = text;
        o["anchor"] = Pair(t->m_point.x, t->m_point.y);
        o["layer"] = QJsonArray{t->m_layer1, t->m_layer2};
        o["group"] = t->m_groupId;
        o["csv"] = QJsonArray{t->m_csvCol, t->m_csvRow, t->m_csvFlg};
        o["kiteibun"] = t->m_kiteibun;
        o["decorated"] = QJsonObject{{"on", t->m_huchiFlg},       {"thickness", t->m_huchiAtsumi},
                                     {"fill", t->m_huchiType},    {"shape", t->m_huchiKeij},
                                     {"alpha", t->m_huchiAlpha}};
        const CFontMenu& f = t->m_font;
        o["font"] = QJsonObject{{"face", cp932::ToQString(f.m_faceName)},
                                {"size", f.m_size},
                                {"color", f.m_color},
                                {"height", f.m_lfHeight},
                                {"weight", f.m_lfWeight},
                                {"italic", f.m_lfItalic},
                                {"escapement", f.m_lfEscapement},
                                {"spacing", f.m_kankaku},
                                {"linePitch", f.m_gyoukan},
                                {"back", f.m_bBack},
                                {"backColor", f.m_backColor},
                                {"align", QJsonArray{f.m_tokoAlign, f.m_tateAlign}}};
        texts.append(o);
    }
    return texts;
}

QJsonArray InfoPictures(const CPelUnit& unit)
{
    QJsonArray pictures;
    for (const auto& p : unit.m_pictures) {
        QJsonObject o;
        o["id"] = p->m_id;
        o["offset"] = Pair(p->m_offsetX, p->m_offsetY);
        o["size"] = Pair(p->m_width, p->m_height);
        o["layer"] = QJsonArray{p->m_layer1, p->m_layer2};
        o["transparent"] = QJsonArray{p->m_gifFlg, p->m_gifColor};
        if (const CBitmapUL* b = p->Bitmap())
            o["bitmap"] = QJsonArray{b->Width(), b->Height()};
        else
            o["bitmap"] = QJsonValue::Null;
        pictures.append(o);
    }
    return pictures;
}

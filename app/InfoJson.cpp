#include "app/InfoJson.h"

#include "app/InfoJsonTexts.h"

#include "document/PelmoraDoc.h"
#include "platform/Codec.h"

#include <QJsonArray>

QJsonObject BuildInfoJson(const CPelmoraDoc& doc)
{
    QJsonObject o;
    o["file"] = QString::fromStdString(doc.GetPathName());
    QJsonArray blocks;
    for (const std::string& b : doc.ReadBlocks())
        blocks.append(cp932::ToQString(b));
    o["blocks"] = blocks;
    o["texts"] = InfoTexts(doc.m_unit);
    o["pictures"] = InfoPictures(doc.m_unit);
    return o;
}

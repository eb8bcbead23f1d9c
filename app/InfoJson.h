#pragma once
// What --info prints: the model as JSON, texts decoded from code page 932.
#include <QJsonObject>

class CPelmoraDoc;

QJsonObject BuildInfoJson(const CPelmoraDoc& doc);

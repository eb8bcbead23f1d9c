#pragma once
// The drawing unit and the imported plans in the --info JSON.
#include <QJsonObject>

class CPelmoraDoc;
class CPelUnit;

// Adds "counters", "lines", "walls", "groups", "objects", "texts" and "pictures" of unit to o.
void AddUnitInfo(QJsonObject& o, const CPelUnit& unit);
// Adds "plans".
void AddPlanInfo(QJsonObject& o, const CPelmoraDoc& doc);

#pragma once
// The texts and pictures of a drawing unit for --info.
#include <QJsonArray>

class CPelUnit;

QJsonArray InfoTexts(const CPelUnit& unit);
QJsonArray InfoPictures(const CPelUnit& unit);

#pragma once
// Documents name the Japanese faces of the system they were made on; these map them
// onto the IPA faces installed here. The stored face names are never changed.
#include <QString>

// Registers the substitutions with the font matcher. Call once the application
// object exists, before anything is drawn; calling it again changes nothing.
void InstallFontSubstitutions();

// The face a stored face name is drawn with: without a leading "@" (vertical
// writing), and, when that face is neither installed nor substituted, the fallback
// face. An empty result leaves the choice to the font matcher.
QString ResolveFace(const QString& stored, const QString& fallback);

#pragma once
// What a fill (CSV, REINS, standard sentences) changes in one text: its string and its
// letter height.
#include <string>

struct CTextChange {
    int textId = 0;
    std::string text; // code page 932, lines separated by CR LF
    double size = 0;  // the font's m_size, printed mm
};

#pragma once
// Small builders for the content tests: code page 932 from UTF-8 literals and back,
// and drawing units holding bound texts.
#include "document/PelUnit.h"
#include "platform/Codec.h"

#include <memory>
#include <string>

namespace contenttest {
inline std::string S(const std::string& utf8) { return cp932::Lit(utf8); }
inline std::string U(const std::string& cp) { return cp932::ToUtf8(cp); }

// Appends a text bound to (row, col) in fit mode; col -1 leaves it unbound.
inline CPelText& AddText(CPelUnit& unit, const std::string& text, int col = -1, int row = -1, int mode = 0,
                         double x = 0, double y = 0)
{
    auto t = std::make_unique<CPelText>();
    t->m_id = static_cast<int>(unit.m_texts.size()) + 1;
    t->m_text = text;
    t->m_csvCol = col;
    t->m_csvRow = row;
    t->m_csvFlg = mode;
    t->m_point = {x, y};
    unit.m_texts.push_back(std::move(t));
    return *unit.m_texts.back();
}
} // namespace contenttest

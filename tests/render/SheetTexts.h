#pragma once
// Texts put on a document's sheet for the drawing tests.
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"

#include <memory>

namespace testsupport {
// A text of group 0 at sheet millimetres (x, y), its letters sizeMm high in face.
inline CPelText& AddSheetText(CPelmoraDoc& doc, const char* utf8, double x, double y, double sizeMm,
                              const char* face = "ＭＳ ゴシック")
{
    auto t = std::make_unique<CPelText>();
    t->m_id = static_cast<int>(doc.m_unit.m_texts.size()) + 1;
    t->m_text = cp932::Lit(utf8);
    t->m_point = {x, y};
    t->m_font.m_faceName = cp932::Lit(face);
    t->m_font.m_size = sizeMm;
    doc.m_unit.m_texts.push_back(std::move(t));
    return *doc.m_unit.m_texts.back();
}
} // namespace testsupport

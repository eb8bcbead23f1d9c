// Bytes read as the user's text files: a CSV file filling a template, a REINS export of
// either layout turned into import rows, the standard sentences and the quotations.
// The first byte picks the reader and its row limit.
#include "fuzz/FuzzSupport.h"

#include "content/CsvFill.h"
#include "content/CsvTable.h"
#include "content/Quotations.h"
#include "content/ReinsImport.h"
#include "content/StandardSentences.h"
#include "document/PelUnit.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzsupport::Init(argc, argv);
    return 0;
}

namespace {
CPelUnit& Template()
{
    static CPelUnit* unit = [] {
        auto* u = new CPelUnit;
        for (int i = 0; i < 8; ++i) {
            auto t = std::make_unique<CPelText>();
            t->m_id = i + 1;
            t->m_text = i % 2 ? "ab\r\ncd" : "";
            t->m_csvCol = i * 7;
            t->m_csvRow = i % 3;
            t->m_csvFlg = i % 3;
            t->m_kiteibun = i;
            u->m_texts.push_back(std::move(t));
        }
        return u;
    }();
    return *unit;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const unsigned pick = data[0];
    switch (pick % 4) {
    case 0: {
        CCsvTable table;
        table.Parse(bytes, pick & 0x10 ? CCsvTable::kImportRows : CCsvTable::kNoLimit);
        CPelUnit& unit = Template();
        auto changes = CCsvFill::Plan(unit, table, {}, pick & 0x20);
        auto back = CCsvFill::Inverse(unit, changes);
        CCsvFill::Apply(unit, changes);
        CCsvFill::Apply(unit, back);
        break;
    }
    case 1:
    case 2: {
        CReinsImport imp;
        imp.Parse(bytes, pick % 4 == 1 ? CReinsImport::National : CReinsImport::Regional);
        (void)imp.Header();
        for (std::size_t i = 0; i < imp.PropertyCount(); ++i) {
            (void)imp.ListLine(i);
            std::vector<std::string> cells;
            std::string error;
            if (imp.ImportCells(i, cells, error)) {
                CCsvTable row;
                row.ParseCp932(CReinsImport::FormatImportRow(cells));
                if (row.RowCount() != 2 || row.Rows()[1].size() != static_cast<std::size_t>(CReinsImport::kColumns))
                    __builtin_trap();
            }
        }
        break;
    }
    default: {
        CStandardSentences sentences;
        sentences.Parse(bytes);
        (void)sentences.PlanUpdate(Template());
        (void)sentences.Format();
        CQuotations quotations;
        quotations.Parse(bytes);
        for (const std::string& e : quotations.Entries())
            if (e.size() > CQuotations::kPieceLimit)
                __builtin_trap();
        break;
    }
    }
    return 0;
}

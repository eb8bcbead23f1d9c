// CSV import speed: a 10,000-row, 60-column file of Japanese particulars read from
// disk (code page 932, and UTF-8 without a byte-order mark, which is checked and
// converted) and one fill of a template whose 60 texts are bound to its columns.
#include "Rng.h"

#include "content/CsvFill.h"
#include "content/CsvTable.h"
#include "document/PelUnit.h"
#include "platform/Codec.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
constexpr int kRows = 10000;
constexpr int kCols = 60;

// Cells as spreadsheets write them: words, grouped prices in quotes, areas, dates.
std::string MakeCsv()
{
    static const char* const words[] = {"東京都杉並区桜台", "さくら台駅 徒歩5分", "鉄筋コンクリート造", "2LDK＋バルコニー",
                                        "南向き・角部屋", "管理会社に全部委託", "専任媒介", "即時"};
    Rng rng(20261211, 7);
    std::string utf8;
    for (int c = 0; c < kCols; ++c)
        utf8 += (c ? ",項目" : "項目") + std::to_string(c);
    utf8 += "\r\n";
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            if (c)
                utf8 += ',';
            switch (rng.Int(0, 3)) {
            case 0: utf8 += words[rng.Int(0, 7)]; break;
            case 1: utf8 += "\"" + std::to_string(rng.Int(1, 9)) + "," + std::to_string(rng.Int(100, 999)) + "万円\""; break;
            case 2: utf8 += std::to_string(rng.Int(20, 120)) + "." + std::to_string(rng.Int(10, 99)) + "㎡"; break;
            default: utf8 += "20" + std::to_string(rng.Int(10, 26)) + "年" + std::to_string(rng.Int(1, 12)) + "月"; break;
            }
        }
        utf8 += "\r\n";
    }
    return utf8;
}

std::string WriteTemp(const std::string& bytes)
{
    char path[] = "/tmp/oltrane-csv-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    close(fd);
    return path;
}

struct Files {
    std::string utf8Text = MakeCsv();
    std::string cp932Path, utf8Path;
    Files()
    {
        cp932Path = WriteTemp(cp932::Lit(utf8Text));
        utf8Path = WriteTemp(utf8Text);
    }
    ~Files()
    {
        unlink(cp932Path.c_str());
        unlink(utf8Path.c_str());
    }
};

const Files& TheFiles()
{
    static Files files;
    return files;
}

void BM_CsvRead10kRows(benchmark::State& state)
{
    const std::string& path = state.range(0) ? TheFiles().utf8Path : TheFiles().cp932Path;
    std::string error;
    for (auto _ : state) {
        CCsvTable table;
        if (!table.Load(path, CCsvTable::kNoLimit, error) || table.RowCount() != kRows + 1)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(table.Rows().data());
    }
    state.SetLabel(state.range(0) ? "UTF-8" : "code page 932");
}
BENCHMARK(BM_CsvRead10kRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CsvFillTemplate(benchmark::State& state)
{
    CCsvTable table;
    std::string error;
    table.Load(TheFiles().cp932Path, CCsvTable::kNoLimit, error);
    CPelUnit unit;
    for (int c = 0; c < kCols; ++c) {
        auto t = std::make_unique<CPelText>();
        t->m_id = c + 1;
        t->m_text = "sample";
        t->m_csvCol = c;
        t->m_csvRow = 1;
        t->m_csvFlg = c % 3;
        unit.m_texts.push_back(std::move(t));
    }
    long long row = 1;
    for (auto _ : state) {
        auto changes = CCsvFill::Plan(unit, table, [&](int) { return row; });
        auto back = CCsvFill::Inverse(unit, changes);
        CCsvFill::Apply(unit, changes);
        CCsvFill::Apply(unit, back);
        row = row % kRows + 1;
    }
}
BENCHMARK(BM_CsvFillTemplate)->Unit(benchmark::kMicrosecond);
} // namespace

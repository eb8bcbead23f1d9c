#include "app/BatchMerge.h"

#include "app/HeadlessSink.h"
#include "content/CsvFill.h"
#include "content/CsvTable.h"
#include "content/ReinsImport.h"
#include "document/AppSwitches.h"
#include "document/PelmoraDoc.h"
#include "platform/Codec.h"
#include "platform/Profile.h"
#include "render/PageExport.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr const char* kUsage =
    "使い方: oltrane --merge DATA [--reins national|regional] [--rows A-B] [--format png|jpg|bmp|pdf|svg|q_l]\n"
    "                [--dpi N] [--name PATTERN] [--single] --out DIR TEMPLATE";
// A file name is kept well under the file system's 255 bytes.
constexpr std::size_t kMaxNameBytes = 200;
// Documents open side by side at most.
constexpr int kMaxWorkers = 8;

struct Options {
    std::string data, templ, out, reins, rows, name;
    std::string format = "png";
    int dpi = pageexport::kDefaultDpi;
    bool single = false;
};

// One output: the data row it comes from and the file it goes to.
struct Job {
    std::size_t line = 0;  // as a spreadsheet counts, from 1
    std::size_t index = 0; // table row (CSV) or property (REINS)
    CCsvTable reinsRow;    // REINS: the import row table
    std::string reinsError;
    std::string path;
};

void Say(const std::string& text) { CHeadlessSink::Print(text); }

int Refuse(const std::string& text)
{
    Say(text);
    return 2;
}

bool ParseInt(const std::string& s, long& v)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    v = std::strtol(s.c_str(), &end, 10);
    return *end == '\0';
}

// "A-B", "A-" or "A": lines as a spreadsheet numbers them.
bool ParseRows(const std::string& s, std::size_t& first, std::size_t& last)
{
    auto dash = s.find('-');
    long a = 0, b = 0;
    if (!ParseInt(s.substr(0, dash), a) || a < 1)
        return false;
    first = static_cast<std::size_t>(a);
    last = dash == std::string::npos ? first : static_cast<std::size_t>(-1);
    if (dash != std::string::npos && dash + 1 < s.size()) {
        if (!ParseInt(s.substr(dash + 1), b) || b < a)
            return false;
        last = static_cast<std::size_t>(b);
    }
    return true;
}

std::string Extension(const std::string& format)
{
    if (format == "jpeg")
        return ".jpg";
    return "." + format;
}

bool IsDir(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string BaseName(const std::string& path)
{
    std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
    auto dot = base.rfind('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

// A UTF-8 text fit for a file name: no "/", no ":", no control characters, no
// leading dot or space, cut on a character within the byte limit.
std::string SafeName(const std::string& text)
{
    std::string out;
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        out.push_back(c == '/' || c == ':' || c == '\\' || u < 0x20 || u == 0x7f ? '_' : c);
    }
    while (!out.empty() && (out[0] == '.' || out[0] == ' '))
        out.erase(0, 1);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    if (out.size() > kMaxNameBytes) {
        std::size_t cut = kMaxNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

// --name PATTERN: literal text with {A}, {AB}, ... for the row's cells and {row} for
// its line number.
struct NamePart {
    std::string literal;
    int column = -1; // -1: the literal; -2: the line number
};

bool ParsePattern(const std::string& pattern, std::vector<NamePart>& parts, std::string& error)
{
    for (std::size_t i = 0; i < pattern.size();) {
        std::size_t open = pattern.find('{', i);
        std::size_t close = pattern.find('}', i);
        if (close < open) {
            error = "--name の \"}\" に対応する \"{\" がありません。";
            return false;
        }
        if (open == std::string::npos) {
            parts.push_back({pattern.substr(i), -1});
            break;
        }
        if (open > i)
            parts.push_back({pattern.substr(i, open - i), -1});
        if (close == std::string::npos) {
            error = "--name の \"{\" が閉じられていません。";
            return false;
        }
        std::string key = pattern.substr(open + 1, close - open - 1);
        if (key == "row") {
            parts.push_back({{}, -2});
        } else {
            int col = CCsvTable::ColumnIndex(key);
            if (col < 0) {
                error = "--name の {" + key + "} は列の名前（A, B, …, AA, …）でも {row} でもありません。";
                return false;
            }
            parts.push_back({key, col});
        }
        i = close + 1;
    }
    return true;
}

// The first characters of a text, for messages.
std::string Excerpt(const std::string& cp)
{
    QString text = cp932::ToQString(cp).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    if (text.size() > 20)
        text = text.left(20) + QStringLiteral("…");
    return text.toStdString();
}

class Merge {
public:
    explicit Merge(Options o) : m_o(std::move(o)) {}
    int Run();

private:
    bool LoadData();
    bool MakeJobs();
    bool CheckBindings() const;
    bool NameJobs();
    const CCsvTable& TableOf(const Job& job) const { return m_reins ? job.reinsRow : m_table; }
    long long RowOf(const Job& job, int bound) const
    {
        if (m_reins)
            return bound;
        return bound == m_boundRow ? static_cast<long long>(job.index) : bound;
    }
    // Fills doc for job, runs write, and puts the template's texts back.
    template <class Write>
    bool Fill(CPelmoraDoc& doc, const Job& job, const Write& write) const;
    bool WriteOne(CPelmoraDoc& doc, const Job& job, std::string& error) const;
    int RunFiles();
    int RunSinglePdf();
    void Progress(const Job& job, bool ok, const std::string& error);

    Options m_o;
    bool m_reins = false;
    int m_kind = CReinsImport::National;
    CCsvTable m_table;
    CReinsImport m_import;
    int m_boundRow = -1;
    std::size_t m_width = 0; // columns the data can fill
    std::vector<Job> m_jobs;
    std::vector<std::unique_ptr<CPelmoraDoc>> m_docs;
    std::atomic<int> m_done{0}, m_failed{0};
};

bool Merge::LoadData()
{
    std::string error;
    std::vector<std::string> notes;
    if (m_reins) {
        if (!m_import.Load(m_o.data, m_kind, error, CCsvTable::kNoLimit)) {
            Say(error + ": " + m_o.data);
            return false;
        }
        notes = m_import.Notes();
        m_width = CReinsImport::kColumns;
    } else {
        if (!m_table.Load(m_o.data, CCsvTable::kNoLimit, error)) {
            Say(error + ": " + m_o.data);
            return false;
        }
        notes = m_table.Notes();
        for (const auto& row : m_table.Rows())
            m_width = std::max(m_width, row.size());
    }
    for (const std::string& n : notes)
        Say(m_o.data + ": " + n);
    return true;
}

bool Merge::MakeJobs()
{
    std::size_t first = 1, last = static_cast<std::size_t>(-1);
    if (!m_o.rows.empty())
        ParseRows(m_o.rows, first, last);
    std::size_t dataLine = 0, count = 0;
    if (m_reins) {
        dataLine = static_cast<std::size_t>(CReinsImport::HeaderLines(m_kind)) + 1;
        count = m_import.PropertyCount();
    } else {
        m_boundRow = CCsvFill::LargestBoundRow(m_docs[0]->m_unit);
        if (m_boundRow < 0) {
            Say("テンプレートに csv の列と行が指定された文字がありません: " + m_o.templ);
            return false;
        }
        dataLine = static_cast<std::size_t>(m_boundRow) + 1;
        count = m_table.RowCount() > static_cast<std::size_t>(m_boundRow) ? m_table.RowCount() - dataLine + 1 : 0;
    }
    if (!m_o.rows.empty() && first < dataLine) {
        Say("--rows " + m_o.rows + ": " + std::to_string(dataLine - 1) + " 行目までは見出しの行です。データは "
            + std::to_string(dataLine) + " 行目からです。");
        return false;
    }
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t line = dataLine + k;
        if (line < first || line > last)
            continue;
        Job job;
        job.line = line;
        job.index = m_reins ? k : line - 1;
        if (m_reins) {
            std::vector<std::string> cells;
            if (m_import.ImportCells(k, cells, job.reinsError))
                job.reinsRow.ParseCp932(CReinsImport::FormatImportRow(cells));
        } else {
            const auto& row = m_table.Rows()[job.index];
            if (std::all_of(row.begin(), row.end(), [](const std::string& c) { return c.empty(); })) {
                Say(std::to_string(line) + " 行目は空のため飛ばしました。");
                continue;
            }
        }
        m_jobs.push_back(std::move(job));
    }
    if (m_jobs.empty()) {
        Say("書き出すデータ行がありません: " + m_o.data);
        return false;
    }
    return true;
}

bool Merge::CheckBindings() const
{
    bool ok = true;
    for (const auto& t : m_docs[0]->m_unit.m_texts) {
        if (!CCsvFill::IsBound(t->m_csvCol, t->m_csvRow))
            continue;
        bool found;
        if (m_reins)
            found = (t->m_csvRow == 1 && t->m_csvCol < CReinsImport::kColumns) || (t->m_csvRow == 0 && t->m_csvCol == 0);
        else if (t->m_csvRow < m_boundRow)
            found = m_table.Cell(t->m_csvRow, t->m_csvCol) != nullptr;
        else
            found = static_cast<std::size_t>(t->m_csvCol) < m_width;
        if (!found) {
            Say("文字「" + Excerpt(t->m_text) + "」（ID " + std::to_string(t->m_id) + "）の結び付け先 "
                + CCsvTable::ColumnName(t->m_csvCol) + std::to_string(t->m_csvRow + 1)
                + (m_reins ? " はレインズの取り込み行（2 行目の A〜BE）にありません。" : " の列はデータにありません。"));
            ok = false;
        }
    }
    return ok;
}

bool Merge::NameJobs()
{
    std::vector<NamePart> parts;
    std::string error;
    if (!ParsePattern(m_o.name, parts, error)) {
        Say(error);
        return false;
    }
    for (const NamePart& p : parts) {
        if (p.column >= 0 && static_cast<std::size_t>(p.column) >= m_width) {
            Say("--name の列 " + p.literal + " はデータにありません（" + CCsvTable::ColumnName(static_cast<int>(m_width) - 1)
                + " 列まで）。");
            return false;
        }
    }
    const std::string ext = Extension(m_o.format);
    if (m_o.single) {
        for (const NamePart& p : parts)
            if (p.column != -1) {
                Say("--single では --name に列や {row} を使えません（書き出すファイルは一つです）。");
                return false;
            }
        std::string name = SafeName(m_o.name.empty() ? BaseName(m_o.templ) : m_o.name);
        m_jobs[0].path = m_o.out + "/" + (name.empty() ? "merge" : name) + ext;
        if (SameFile(m_jobs[0].path, m_o.data)) {
            Say("出力ファイルが入力と同じファイルになります: " + m_jobs[0].path);
            return false;
        }
        return true;
    }
    const std::size_t width = std::to_string(m_jobs.back().line).size();
    std::set<std::string> used;
    for (Job& job : m_jobs) {
        std::string line = std::to_string(job.line);
        line.insert(0, width - line.size(), '0');
        std::string name;
        if (parts.empty()) {
            name = BaseName(m_o.templ) + "-" + line;
        } else {
            for (const NamePart& p : parts) {
                if (p.column == -1)
                    name += p.literal;
                else if (p.column == -2)
                    name += line;
                else if (const std::string* cell = TableOf(job).Cell(RowOf(job, m_reins ? 1 : m_boundRow), p.column))
                    name += cp932::ToUtf8(*cell);
            }
        }
        name = SafeName(name);
        if (name.empty())
            name = line;
        std::string unique = name;
        for (int n = 2; !used.insert(unique).second; ++n)
            unique = name + "-" + std::to_string(n);
        job.path = m_o.out + "/" + unique + ext;
    }
    // An output must never replace what it is made from.
    for (const Job& job : m_jobs)
        for (const std::string& input : {m_o.templ, m_o.data})
            if (SameFile(job.path, input)) {
                Say("出力ファイルが入力と同じファイルになります: " + job.path + "（--name か --out を変えてください）");
                return false;
            }
    return true;
}

template <class Write>
bool Merge::Fill(CPelmoraDoc& doc, const Job& job, const Write& write) const
{
    auto changes = CCsvFill::Plan(doc.m_unit, TableOf(job), [&](int bound) { return RowOf(job, bound); }, !m_reins);
    auto back = CCsvFill::Inverse(doc.m_unit, changes);
    CCsvFill::Apply(doc.m_unit, changes);
    bool ok = write();
    CCsvFill::Apply(doc.m_unit, back);
    return ok;
}

bool Merge::WriteOne(CPelmoraDoc& doc, const Job& job, std::string& error) const
{
    if (!job.reinsError.empty()) {
        error = job.reinsError;
        return false;
    }
    return Fill(doc, job, [&]() {
        if (m_o.format == "q_l") {
            const int before = CHeadlessSink::ThreadCount();
            // The message of a failed save has gone out already.
            if (!doc.OnSaveDocument(job.path) || CHeadlessSink::ThreadCount() != before) {
                error = "保存できませんでした。";
                return false;
            }
            return true;
        }
        int quality = AppProfile().GetInt("QLA_T_UTILITY", "gazou_jpeg_atu", 100);
        return pageexport::Export(doc, job.path, m_o.dpi, error, quality);
    });
}

void Merge::Progress(const Job& job, bool ok, const std::string& error)
{
    const int done = ++m_done;
    const std::string head =
        "[" + std::to_string(done) + "/" + std::to_string(m_jobs.size()) + "] " + std::to_string(job.line) + " 行目";
    if (ok) {
        Say(head + " → " + job.path);
    } else {
        ++m_failed;
        Say(head + ": 失敗: " + error);
    }
}

int Merge::RunFiles()
{
    // One document per worker, opened here: opening makes working files of pictures,
    // which one thread at a time names.
    const int workers = std::clamp(QThread::idealThreadCount(), 1, std::min<int>(kMaxWorkers, static_cast<int>(m_jobs.size())));
    while (static_cast<int>(m_docs.size()) < workers) {
        auto doc = std::make_unique<CPelmoraDoc>();
        if (!doc->OnOpenDocument(m_o.templ))
            break;
        m_docs.push_back(std::move(doc));
    }
    std::atomic<std::size_t> next{0};
    auto work = [&](CPelmoraDoc* doc) {
        for (std::size_t i; (i = next++) < m_jobs.size();) {
            const Job& job = m_jobs[i];
            CHeadlessSink::SetThreadPrefix(std::to_string(job.line) + " 行目: ");
            std::string error;
            bool ok = WriteOne(*doc, job, error);
            CHeadlessSink::SetThreadPrefix({});
            Progress(job, ok, error);
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < m_docs.size(); ++w)
        threads.emplace_back(work, m_docs[w].get());
    work(m_docs[0].get());
    for (auto& t : threads)
        t.join();
    return m_failed ? 1 : 0;
}

int Merge::RunSinglePdf()
{
    CPelmoraDoc& doc = *m_docs[0];
    std::vector<std::string> back;
    std::vector<CTextChange> undo;
    // Each page is filled when the writer asks for it and emptied before the next.
    const CPelmoraDoc* shown = nullptr;
    auto page = [&](int i) -> const CPelmoraDoc* {
        if (shown)
            CCsvFill::Apply(doc.m_unit, undo);
        shown = nullptr;
        const Job& job = m_jobs[static_cast<std::size_t>(i)];
        if (!job.reinsError.empty()) {
            Progress(job, false, job.reinsError);
            return nullptr;
        }
        auto changes = CCsvFill::Plan(doc.m_unit, TableOf(job), [&](int bound) { return RowOf(job, bound); }, !m_reins);
        undo = CCsvFill::Inverse(doc.m_unit, changes);
        CCsvFill::Apply(doc.m_unit, changes);
        shown = &doc;
        Progress(job, true, {});
        return shown;
    };
    std::string error;
    bool ok = pageexport::ExportPdfPages(m_jobs[0].path, static_cast<int>(m_jobs.size()), page, error);
    if (shown)
        CCsvFill::Apply(doc.m_unit, undo);
    if (!ok) {
        Say(error);
        return 1;
    }
    Say(std::to_string(m_jobs.size() - static_cast<std::size_t>(m_failed)) + " ページ → " + m_jobs[0].path);
    return m_failed ? 1 : 0;
}

int Merge::Run()
{
    if (!m_o.reins.empty()) {
        m_reins = true;
        m_kind = m_o.reins == "regional" ? CReinsImport::Regional : CReinsImport::National;
    }
    if (!IsDir(m_o.out)) {
        Say("出力先のフォルダがありません: " + m_o.out);
        return 1;
    }
    if (::access(m_o.out.c_str(), W_OK | X_OK) != 0) {
        Say("出力先のフォルダに書き込めません: " + m_o.out);
        return 1;
    }
    // The drawing consults the switches (layer path, auxiliary fills) as the window does.
    TheAppSwitches().Read();
    CHeadlessSink sink;
    auto templ = std::make_unique<CPelmoraDoc>();
    if (!templ->OnOpenDocument(m_o.templ) || sink.Count())
        return 1;
    m_docs.push_back(std::move(templ));
    if (!LoadData() || !MakeJobs() || !NameJobs())
        return 1;
    if (!CheckBindings()) {
        Say("何も書き出していません。");
        return 1;
    }
    return m_o.single ? RunSinglePdf() : RunFiles();
}
} // namespace

int CBatchMerge::Run(const std::vector<std::string>& args)
{
    Options o;
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--reins")
            ok = value(o.reins);
        else if (a == "--rows")
            ok = value(o.rows);
        else if (a == "--format")
            ok = value(o.format);
        else if (a == "--name")
            ok = value(o.name);
        else if (a == "--out")
            ok = value(o.out);
        else if (a == "--single")
            o.single = true;
        else if (a == "--dpi") {
            std::string v;
            long n = 0;
            if (!value(v) || !ParseInt(v, n) || n < 1 || n > pageexport::kMaxDpi)
                return Refuse("解像度は 1 から " + std::to_string(pageexport::kMaxDpi) + " dpi の範囲で指定してください。");
            o.dpi = static_cast<int>(n);
        } else if (a.size() > 1 && a[0] == '-')
            return Refuse(std::string("知らないオプションです: ") + a + "\n" + kUsage);
        else
            plain.push_back(a);
        if (!ok)
            return Refuse(a + " の値がありません。\n" + kUsage);
    }
    if (plain.size() != 2 || o.out.empty())
        return Refuse(kUsage);
    o.data = plain[0];
    o.templ = plain[1];
    while (o.out.size() > 1 && o.out.back() == '/')
        o.out.pop_back();
    for (char& c : o.format)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::set<std::string> formats = {"png", "jpg", "jpeg", "bmp", "pdf", "svg", "q_l"};
    if (!formats.count(o.format))
        return Refuse("--format には png, jpg, bmp, pdf, svg, q_l のいずれかを指定してください。");
    if (!o.reins.empty() && o.reins != "national" && o.reins != "regional")
        return Refuse("--reins には national（全国データベース（売買））か regional（近畿レインズ(旧)）を指定してください。");
    std::size_t first = 0, last = 0;
    if (!o.rows.empty() && !ParseRows(o.rows, first, last))
        return Refuse("--rows は 2-40、5- または 7 のように行番号で指定してください。");
    if (o.single && o.format != "pdf")
        return Refuse("--single は --format pdf と一緒に指定してください。");
    return Merge(std::move(o)).Run();
}

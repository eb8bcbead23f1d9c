#include "ardelib/DefFile.h"
#include "ardelib/Message.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A record that keeps what it was given, to see what Load dispatched.
class Recorder : public CDefFile {
public:
    RD_STATUS OnReadStart(CDefArchive* ar, const std::string& name) override
    {
        starts.push_back(name);
        if (DefIEquals(name, "child")) {
            Recorder child;
            if (!child.Load(ar, name))
                return RD_ERROR;
            for (auto& kv : child.data)
                data.push_back({name + "." + kv.first, kv.second});
            return RD_DONE;
        }
        return RD_SKIP;
    }
    int OnReadData(const std::string& key, const std::string& value) override
    {
        data.push_back({key, value});
        return 1;
    }
    std::vector<std::string> starts;
    std::vector<std::pair<std::string, std::string>> data;
};

std::unique_ptr<CDefArchive> Mem(const std::string& s) { return CDefArchive::FromMemory(s); }

std::string Encode(const std::string& bytes, std::size_t perLine)
{
    CDefFile f;
    auto ar = CDefArchive::ToMemory();
    EXPECT_EQ(1, f.WriteDataB64(ar.get(), "k", bytes.data(), bytes.size(), perLine));
    return ar->MemoryData();
}

} // namespace

TEST(DefFile, ReadBlockClassifiesLines)
{
    struct Case {
        std::string line;
        BLOCK_ID id;
        std::string name, value;
    };
    const std::vector<Case> cases = {
        {"/START:Blk", BLOCK_START, "Blk", ""},
        {"/START:", BLOCK_START, "", ""},
        {"/START:x=1", BLOCK_START, "x=1", ""},
        {"/END:Blk", BLOCK_END, "Blk", ""},
        {"a=b=c", BLOCK_DATA, "a", "b=c"},
        {"=5", BLOCK_DATA, "", "5"},
        {"k=", BLOCK_DATA, "k", ""},
        {"/start:Blk", BLOCK_OTHER, "", ""},
        {"", BLOCK_OTHER, "", ""},
        {" /START:x", BLOCK_OTHER, "", ""},
    };
    CDefFile f;
    for (const auto& c : cases) {
        auto ar = Mem(c.line + "\r\n");
        std::string n, v;
        EXPECT_EQ(c.id, f.ReadBlock(ar.get(), n, v)) << c.line;
        EXPECT_EQ(c.name, n) << c.line;
        EXPECT_EQ(c.value, v) << c.line;
    }
    auto empty = Mem("");
    std::string n = "keep", v;
    EXPECT_EQ(BLOCK_EOF, f.ReadBlock(empty.get(), n, v));
    EXPECT_EQ("keep", n);
}

TEST(DefFile, LineEnds)
{
    // LF, CR LF, a lone CR that swallows the next byte, and a last line without an end.
    auto ar = Mem("a=1\nb=2\r\nc=3\rXd=4");
    std::vector<std::string> lines;
    std::string line;
    while (ar->ReadString(line) == 1)
        lines.push_back(line);
    EXPECT_EQ((std::vector<std::string>{"a=1", "b=2", "c=3X", "d=4"}), lines);
}

TEST(DefFile, LoadDispatchesAndEnds)
{
    Recorder r;
    auto ar = Mem("/START:Top\r\nk=v\r\n/START:CHILD\r\nx=1\r\n/END:CHILD\r\n/START:other\r\n/START:deep\r\n"
                  "z=9\r\n/END:deep\r\n/END:other\r\n/END:Top\r\ntail=1\r\n");
    CDefFile f;
    ASSERT_EQ(1, f.FindStart(ar.get(), "Top"));
    ASSERT_EQ(1, r.Load(ar.get(), "Top"));
    EXPECT_EQ((std::vector<std::string>{"CHILD", "other"}), r.starts);
    ASSERT_EQ(2u, r.data.size());
    EXPECT_EQ("k", r.data[0].first);
    EXPECT_EQ("CHILD.x", r.data[1].first);
    std::string n, v;
    EXPECT_EQ(BLOCK_DATA, f.ReadBlock(ar.get(), n, v)); // positioned right after the end line
}

TEST(DefFile, FormatErrorsStopReading)
{
    struct Case {
        const char* what;
        std::string body;
    };
    const std::vector<Case> cases = {
        {"empty line inside", "a=1\r\n\r\n/END:B\r\n"},
        {"other line inside", "a=1\r\njunk\r\n/END:B\r\n"},
        {"wrong end name", "a=1\r\n/END:C\r\n"},
        {"end name differs in case", "/END:b\r\n"},
        {"end of stream", "a=1\r\n"},
        {"nested skip with wrong end", "/START:n\r\n/END:m\r\n/END:B\r\n"},
    };
    for (const auto& c : cases) {
        Recorder r;
        auto ar = Mem(c.body);
        EXPECT_EQ(0, r.Load(ar.get(), "B")) << c.what;
        auto ar2 = Mem(c.body);
        CDefFile f;
        EXPECT_EQ(0, f.SkipToEnd(ar2.get(), "B")) << c.what;
    }
}

TEST(DefFile, FindStart)
{
    CDefFile f;
    struct Case {
        std::string text;
        int found;
    };
    const std::vector<Case> cases = {
        {"x=1\r\ny=2\r\n/START:Z\r\n", 1},                 // data lines passed over
        {"/START:A\r\nq=1\r\n/END:A\r\n/START:Z\r\n", 1},  // other blocks skipped whole
        {"\r\n/START:Z\r\n", 0},                           // an empty line stops the search
        {"/START:z\r\n", 0},                               // case-sensitive
        {"/END:A\r\n/START:Z\r\n", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        auto ar = Mem(c.text);
        EXPECT_EQ(c.found, f.FindStart(ar.get(), "Z")) << c.text;
    }
}

TEST(DefFile, HostileNestingAndLongLinesFailCleanly)
{
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "/START:n\r\n";
    Recorder r;
    auto ar = Mem(deep);
    EXPECT_EQ(0, r.Load(ar.get(), "top"));
    auto ar2 = Mem(deep);
    CDefFile f;
    EXPECT_EQ(0, f.FindStart(ar2.get(), "top"));

    std::string longLine = "k=" + std::string(CDefArchive::kMaxLine + 10, 'x') + "\r\n/END:B\r\n";
    auto ar3 = Mem(longLine);
    EXPECT_EQ(0, r.Load(ar3.get(), "B"));
}

TEST(DefFile, WritesCrLfLines)
{
    CDefFile f;
    auto ar = CDefArchive::ToMemory();
    ASSERT_EQ(1, f.WriteStart(ar.get(), "B"));
    ASSERT_EQ(1, f.WriteData(ar.get(), "k", "v=w"));
    ASSERT_EQ(1, f.WriteDataInt(ar.get(), "n", -2147483647 - 1));
    ASSERT_EQ(1, f.WriteDataDouble(ar.get(), "r", 0.1));
    ASSERT_EQ(1, f.WriteEnd(ar.get(), "B"));
    EXPECT_EQ("/START:B\r\nk=v=w\r\nn=-2147483648\r\nr=0.1\r\n/END:B\r\n", ar->MemoryData());
}

TEST(DefFile, WriteFailureShowsMessage)
{
    CRecordingMessageSink sink;
    CDefFile f;
    auto ar = CDefArchive::ToMemory(10);
    EXPECT_EQ(1, f.WriteData(ar.get(), "a", "1"));
    EXPECT_EQ(0, f.WriteData(ar.get(), "long", "value"));
    ASSERT_EQ(1u, sink.messages.size());
    EXPECT_EQ("ファイル例外が発生しました。", sink.messages[0]);
}

TEST(DefFile, Base64Variant)
{
    EXPECT_EQ("k=aaaa\r\n", Encode(std::string(3, '\0'), 57));
    EXPECT_EQ("k=-W\r\n", Encode("\xff", 57));
    EXPECT_EQ("k=ywjJ\r\n", Encode("abc", 57));
    EXPECT_EQ("k=ywjJ\r\nk=zgu\r\n", Encode("abcde", 3));
    EXPECT_EQ("", Encode("", 3));

    CDefFile f;
    unsigned char out[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(3u, f.GetDataB64("aaaa", out, sizeof out));
    EXPECT_EQ(0, out[0] | out[1] | out[2]);
    EXPECT_EQ(3u, f.GetDataB64("ywjJz", out, sizeof out));
    EXPECT_EQ(std::string("abc"), std::string(reinterpret_cast<char*>(out), 3));
    // Never past the buffer it is given.
    unsigned char small[2] = {0, 0};
    unsigned char guard = 0x5A;
    EXPECT_EQ(2u, f.GetDataB64("ywjJywjJ", small, sizeof small));
    EXPECT_EQ(0x5A, guard);

    // Any bytes survive a round trip, whatever the line length.
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    for (std::size_t per : {1u, 2u, 3u, 4u, 57u, 1000u}) {
        auto ar = CDefArchive::FromMemory(Encode(all, per));
        std::string back, k, v;
        while (f.ReadBlock(ar.get(), k, v) == BLOCK_DATA) {
            unsigned char buf[1000];
            std::size_t n = f.GetDataB64(v, buf, sizeof buf);
            back.append(reinterpret_cast<char*>(buf), n);
        }
        EXPECT_EQ(all, back) << per;
    }
}

TEST(DefFile, NumbersIgnoreLocaleAndStayFinite)
{
    struct Case {
        const char* text;
        double real;
        int integer;
    };
    const std::vector<Case> cases = {
        {"1.5", 1.5, 1},      {"  -2.25xyz", -2.25, -2}, {"abc", 0, 0},       {"", 0, 0},
        {"+7", 7, 7},         {"1e3", 1000, 1},          {"nan", 0, 0},       {"inf", 0, 0},
        {"99999999999", 99999999999.0, 2147483647},      {"-99999999999", -99999999999.0, -2147483647 - 1},
        {"1e999", 1.7976931348623157e308, 1},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(c.real, DefAtof(c.text)) << c.text;
        EXPECT_EQ(c.integer, DefAtoi(c.text)) << c.text;
    }
    for (double d : {0.1, 1.0 / 3.0, -123456.789, 1e-300, 210.0})
        EXPECT_EQ(d, DefAtof(DefFormatDouble(d)));
}

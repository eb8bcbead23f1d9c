#include "content/ReinsConv.h"

#include "platform/Codec.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace {
using Field = CReinsConv::Field;

// A code table, its words turned into code page 932 once.
class CodeTable {
public:
    CodeTable(std::initializer_list<std::pair<int, const char*>> entries)
    {
        for (const auto& [code, word] : entries)
            m_entries.emplace_back(code, cp932::Lit(word));
    }
    const std::string* Find(long long code) const
    {
        for (const auto& [c, word] : m_entries)
            if (c == code)
                return &word;
        return nullptr;
    }
    // The common rule: empty gives the blank, an unknown code "××".
    std::string Convert(Field f) const
    {
        if (f.empty())
            return CReinsConv::Blank();
        const std::string* w = Find(CReinsConv::Code(f));
        return w ? *w : CReinsConv::Unknown();
    }
    // Unknown codes, and the empty field too, give an empty text.
    std::string OrEmpty(Field f) const
    {
        const std::string* w = f.empty() ? nullptr : Find(CReinsConv::Code(f));
        return w ? *w : std::string();
    }

private:
    std::vector<std::pair<long long, std::string>> m_entries;
};

// Literals are few and fixed: each is converted once and kept (nodes do not move).
const std::string& L(const char* utf8)
{
    static std::mutex lock;
    static std::unordered_map<const char*, std::string> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto it = cache.find(utf8);
    if (it == cache.end())
        it = cache.emplace(utf8, cp932::Lit(utf8)).first;
    return it->second;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The signed integer at the start of f (commas between digits allowed); saturates
// rather than overflow. digits tells whether any digit was seen.
long long LeadingInteger(Field f, bool& negative, std::size_t& end)
{
    std::size_t i = 0;
    negative = false;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) {
        negative = f[i] == '-';
        ++i;
    }
    unsigned long long v = 0;
    constexpr unsigned long long kMax = 999999999999999999ULL;
    for (; i < f.size(); ++i) {
        if (IsDigit(f[i])) {
            if (v <= kMax / 10)
                v = v * 10 + static_cast<unsigned>(f[i] - '0');
        } else if (f[i] == ',' && i > 0 && IsDigit(f[i - 1]) && i + 1 < f.size() && IsDigit(f[i + 1])) {
            continue;
        } else {
            break;
        }
    }
    end = i;
    return static_cast<long long>(v);
}

std::string Digits(long long v) { return std::to_string(v); }

// Era year of a built date: Showa before 1989, Reiwa from May 2019, Heisei between.
std::string EraDate(Field year, Field month)
{
    for (char c : year)
        if (!IsDigit(c))
            return CReinsConv::Unknown();
    for (char c : month)
        if (!IsDigit(c))
            return CReinsConv::Unknown();
    int y = 0, m = 0;
    std::from_chars(year.data(), year.data() + year.size(), y);
    std::from_chars(month.data(), month.data() + month.size(), m);
    if (y < 1926 || m < 1 || m > 12)
        return CReinsConv::Unknown();
    std::string era;
    if (y < 1989)
        era = "S" + Digits(y - 1925);
    else if (y > 2019 || (y == 2019 && m >= 5))
        era = "R" + Digits(y - 2018);
    else
        era = "H" + Digits(y - 1988);
    return era + "." + Digits(m);
}

std::string Cat(Field a) { return std::string(a); }
} // namespace

long long CReinsConv::Code(Field field)
{
    long long v = 0;
    for (char c : field) {
        if (!IsDigit(c))
            break;
        if (v < 100000000000000000LL)
            v = v * 10 + (c - '0');
    }
    return v;
}

const std::string& CReinsConv::Blank() { return L("　　"); }
const std::string& CReinsConv::Unknown() { return L("××"); }

std::string CReinsConv::KindName(Field f)
{
    static const CodeTable t{{1, "売土地"}, {2, "売一戸建"}, {3, "売マンション"}, {4, "売外全"}, {5, "売外一"}};
    const std::string* w = f.empty() ? nullptr : t.Find(Code(f));
    return w ? *w : Unknown();
}

std::string CReinsConv::Structure(Field f)
{
    static const CodeTable t{{1, "木造"}, {2, "ブロック"}, {3, "鉄骨"}, {4, "RC"},      {5, "SRC"},
                             {6, "PC"},   {7, "HPC"},      {8, "軽量鉄骨"}, {9, "その他"}};
    return t.Convert(f);
}

std::string CReinsConv::Parking(Field f)
{
    static const CodeTable t{{1, "空有"}, {2, "空無"}, {3, "近隣確保"}, {4, "無"}};
    return t.Convert(f);
}

std::string CReinsConv::DealingForm(Field f)
{
    static const CodeTable t{{1, "売主"}, {2, "代理"}, {3, "専属"}, {4, "専任"}, {5, "一般"}};
    return t.Convert(f);
}

std::string CReinsConv::FeeForm(Field f)
{
    static const CodeTable t{{1, "分かれ"}, {2, "当方不払"}, {3, "当方片手数"}, {4, "代理折半"}, {5, "相談"}};
    return t.Convert(f);
}

std::string CReinsConv::Management(Field f)
{
    static const CodeTable t{{1, "自主管理"}, {2, "管理会社に一部委託"}, {3, "管理会社に全部委託"}};
    return t.Convert(f);
}

std::string CReinsConv::Needed(Field f)
{
    static const CodeTable t{{1, "要"}, {2, "中"}, {3, "不要"}};
    return t.Convert(f);
}

std::string CReinsConv::LandCategory(Field f)
{
    static const CodeTable t{{1, "宅地"}, {2, "田"}, {3, "畑"}, {4, "山林"}, {5, "雑種"}, {99, "他"}};
    return t.Convert(f);
}

std::string CReinsConv::Terrain(Field f)
{
    static const CodeTable t{{1, "平坦"}, {2, "高台"}, {3, "低地"}, {4, "ひな段"}, {5, "傾斜地"}, {99, "その他"}};
    return t.Convert(f);
}

std::string CReinsConv::CityPlanning(Field f)
{
    static const CodeTable t{
        {1, "市街化区域"}, {2, "市街化調整区域"}, {3, "非線引区域"}, {4, "域外"}, {5, "準都市"}};
    return t.Convert(f);
}

std::string CReinsConv::Rights(Field f)
{
    static const CodeTable t{{1, "所有権"},       {2, "旧法地上権"}, {3, "旧法賃借権"}, {4, "普通地上権"},
                             {5, "定期賃地上権"}, {6, "普通賃借権"}, {7, "定期賃借権"}};
    return t.Convert(f);
}

std::string CReinsConv::YesNo(Field f)
{
    static const CodeTable t{{1, "有"}, {2, "無"}};
    return t.Convert(f);
}

std::string CReinsConv::RoadContact(Field f)
{
    static const CodeTable t{{1, "一方"}, {2, "角地"}, {3, "三方"}, {4, "四方"}, {5, "二方"}};
    return t.Convert(f);
}

std::string CReinsConv::Direction(Field f)
{
    static const CodeTable t{{1, "北"}, {2, "北東"}, {3, "東"}, {4, "南東"},
                             {5, "南"}, {6, "南西"}, {7, "西"}, {8, "北西"}};
    return t.Convert(f);
}

std::string CReinsConv::TransactionStatus(Field f)
{
    static const CodeTable t{{1, "在庫"}, {2, "成約"}};
    return f.empty() ? Blank() : t.OrEmpty(f);
}

std::string CReinsConv::HandoverTiming(Field f)
{
    static const CodeTable t{{1, "即時"}, {2, "相談"}, {3, "期日指定"}, {4, "予定"}};
    return t.OrEmpty(f);
}

std::string CReinsConv::RoadKind(Field f)
{
    static const CodeTable t{{1, "公道 "}, {2, "私道 "}};
    return t.OrEmpty(f);
}

std::string CReinsConv::Zoning(Field f)
{
    static const CodeTable t{{1, "第一種低層住居専用地域"},
                             {2, "第二種中高層住居専用地域"},
                             {3, "第二種住居地域"},
                             {4, "近隣商業地域"},
                             {5, "商業地域"},
                             {6, "準工業地域"},
                             {7, "工業地域"},
                             {8, "工業専用地域"},
                             {9, "第二種低層住居専用地域"},
                             {10, "第一種中高層住居専用地域"},
                             {11, "第一種住居地域"},
                             {12, "準住居地域"},
                             {99, "無指定"}};
    return t.Convert(f);
}

std::string CReinsConv::CurrentState(Field f, long long kind)
{
    static const CodeTable land{{1, "更地"}, {2, "上物有"}};
    static const CodeTable other{{1, "居住中"}, {2, "空家"}, {3, "賃貸中"}, {4, "未完成"}};
    return (kind == 1 ? land : other).Convert(f);
}

std::string CReinsConv::MeasuringMethod(Field f, long long kind)
{
    static const CodeTable register_{{1, "公募"}, {2, "実測"}};
    static const CodeTable wall{{1, "壁芯"}, {2, "内法"}};
    if (kind == 1 || kind == 2 || kind == 4)
        return register_.Convert(f);
    if (kind == 3 || kind == 5)
        return wall.Convert(f);
    return f.empty() ? Blank() : Unknown();
}

std::string CReinsConv::KindDetail(Field kind, Field detail)
{
    static const CodeTable land{{1, "売地"}, {2, "借地権"}, {3, "底地権"}};
    static const CodeTable house{{1, "新築戸建"}, {2, "中古戸建"}, {3, "新築テラス"}, {4, "中古テラス"}};
    static const CodeTable flat{{1, "新築マンション"}, {2, "中古マンション"}, {3, "新築タウン"},
                                {4, "中古タウン"},     {5, "新築リゾート"},   {6, "中古リゾート"},
                                {7, "売マンションその他"}};
    static const CodeTable building{{1, "売店舗"},     {2, "売店舗付住宅"}, {3, "売住宅付店舗"}, {4, "売事務所"},
                                    {5, "売店舗事務所"}, {6, "売ビル"},     {7, "売工場"},       {8, "売マンション"},
                                    {9, "売倉庫"},     {10, "売アパート"},  {11, "売寮"},        {12, "売旅館"},
                                    {13, "売ホテル"},  {14, "売別荘"},      {15, "売リゾート"},  {16, "売文化住宅"},
                                    {17, "売その他"}};
    static const CodeTable part{{1, "売店舗"}, {2, "売事務所"}, {3, "売店舗事務所"}, {4, "売その他"}};
    static const CodeTable* const byKind[] = {&land, &house, &flat, &building, &part};
    if (kind.empty() || detail.empty())
        return Unknown();
    long long k = Code(kind);
    if (k < 1 || k > 5)
        return Unknown();
    const std::string* w = byKind[k - 1]->Find(Code(detail));
    return w ? *w : Unknown();
}

std::string CReinsConv::ClassName(Field cls, Field type)
{
    if (cls.empty() || type.empty())
        return Unknown();
    struct Entry {
        const char *cls, *type, *name;
    };
    static const Entry entries[] = {
        {"売物件", "土地", "売土地"},         {"売物件", "戸建", "売一戸建"}, {"売物件", "マン", "売マンション"},
        {"売物件", "外全", "売外全"},         {"売物件", "外一", "売外一"},   {"賃貸物件", "居住", "賃貸居住用"},
        {"賃貸物件", "事業", "賃貸事業用"},
    };
    for (const Entry& e : entries)
        if (cls == L(e.cls) && type == L(e.type))
            return L(e.name);
    return Unknown();
}

std::string CReinsConv::TypeDetail(Field cls, Field type, Field detail)
{
    if (cls.empty() || type.empty() || detail.empty())
        return Unknown();
    struct Entry {
        const char *from, *to;
    };
    auto mapped = [&](std::initializer_list<Entry> entries) {
        for (const Entry& e : entries)
            if (detail == L(e.from))
                return L(e.to);
        return Cat(detail);
    };
    if (cls == L("売物件")) {
        if (type == L("土地") || type == L("戸建"))
            return Cat(detail);
        if (type == L("マン"))
            return mapped({{"新築マン", "新築マンション"},
                           {"中古マン", "中古マンション"},
                           {"リゾートマン", "リゾートマンション"}});
        return Unknown();
    }
    if (cls == L("賃貸物件")) {
        if (type != L("居住"))
            return Cat(detail);
        return mapped({{"マンション", "貸マンション"},
                       {"アパート", "貸アパート"},
                       {"テラス", "貸テラス"},
                       {"タウン", "貸タウン"}});
    }
    return Unknown();
}

std::string CReinsConv::ManYen(Field f)
{
    if (f.empty())
        return Blank();
    bool negative = false;
    std::size_t end = 0;
    long long a = LeadingInteger(f, negative, end);
    std::string sign = negative && a != 0 ? "-" : "";
    bool integral = end >= f.size() || f[end] != '.';
    if (integral) {
        // Exact in decimal: the whole part and four digits of fraction.
        long long whole = a / 10000, frac = a % 10000;
        if (frac == 0)
            return sign + Digits(whole);
        int decimals = 6;
        if (a % 10 == 0)
            decimals = a % 100 != 0 ? 3 : a % 1000 != 0 ? 2 : 1;
        std::string fr = Digits(frac);
        fr = std::string(4 - fr.size(), '0') + fr + "00";
        return sign + Digits(whole) + "." + fr.substr(0, static_cast<std::size_t>(decimals));
    }
    // A field with its own decimals: through a real.
    double v = 0;
    std::size_t start = (f[0] == '-' || f[0] == '+') ? 1 : 0;
    std::string number;
    for (std::size_t i = start; i < f.size() && (IsDigit(f[i]) || f[i] == '.' || f[i] == ','); ++i)
        if (f[i] != ',')
            number.push_back(f[i]);
    std::from_chars(number.data(), number.data() + number.size(), v);
    v /= 10000.0;
    char buf[400];
    if (std::floor(v) == v) {
        // Whole, however large the field: never through an integer that could overflow.
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 0);
        return sign + std::string(buf, r.ptr);
    }
    int decimals = 6;
    if (a % 10 == 0 && a % 10000 != 0)
        decimals = a % 100 != 0 ? 3 : a % 1000 != 0 ? 2 : 1;
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return sign + std::string(buf, r.ptr);
}

std::string CReinsConv::Grouped(Field f)
{
    bool negative = false;
    std::size_t end = 0;
    long long v = LeadingInteger(f, negative, end);
    std::string digits = Digits(v);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    if (negative && v != 0)
        out.insert(out.begin(), '-');
    std::size_t dot = f.find('.');
    if (dot != Field::npos)
        out += std::string(f.substr(dot));
    return "\"" + out + "\"";
}

std::string CReinsConv::BuiltPacked(Field f)
{
    if (f.empty())
        return Blank();
    if (f.size() < 6)
        return Unknown();
    return EraDate(f.substr(0, 4), f.substr(4, 2));
}

std::string CReinsConv::BuiltSeparated(Field f)
{
    if (f.empty())
        return Blank();
    if (f.size() < 7)
        return Unknown();
    return EraDate(f.substr(0, 4), f.substr(5, 2));
}

std::string CReinsConv::Access(Field walk, Field bus1, Field bus2, Field bus3, Field busMinutes)
{
    if (!walk.empty())
        return L("徒歩") + Cat(walk) + L("分");
    if (busMinutes.empty())
        return Blank();
    std::string out = Cat(bus1) + Cat(bus2);
    if (!bus3.empty())
        out += Cat(bus3) + L("停");
    return out + Cat(busMinutes) + L("分");
}

std::string CReinsConv::Minutes(Field first, Field second)
{
    if (first.empty())
        return Blank();
    std::string out = Cat(first);
    if (!second.empty())
        out += Cat(second) + L("分");
    return out;
}

std::string CReinsConv::BusWalk(Field bus, Field walk)
{
    std::string out;
    if (!bus.empty())
        out += L("バス") + Cat(bus) + L("分");
    if (!walk.empty())
        out += L("徒歩") + Cat(walk) + L("分");
    return out.empty() ? Blank() : out;
}

std::string CReinsConv::Layout(Field rooms, Field type)
{
    static const char* const suffix[] = {"K", "DK", "LK", "LDK", "SK", "SDK", "SLK", "SLDK"};
    if (rooms.empty())
        return Blank();
    long long t = Code(type);
    if (t == 1)
        return L("ワンルーム");
    if (t >= 2 && t <= 9)
        return Cat(rooms) + suffix[t - 2];
    return Cat(rooms);
}

std::string CReinsConv::Handover(Field code, Field year, Field period, Field altYear, Field altDetail)
{
    if (!code.empty())
        return HandoverTiming(code);
    if (!year.empty()) {
        static const CodeTable periods{{1, "上旬"}, {2, "中旬"}, {3, "下旬"}};
        return Cat(year) + L("年") + periods.OrEmpty(period);
    }
    if (!altYear.empty())
        return Cat(altYear) + L("年") + Cat(altDetail);
    return Blank();
}

std::string CReinsConv::Setback(Field code, Field distance, Field area)
{
    static const CodeTable t{{1, "セットバック無"}, {2, "セットバック有"}, {3, "セットバック済"}};
    if (code.empty())
        return Blank();
    std::string out = t.Convert(code);
    if (!distance.empty())
        out += Cat(distance) + "m";
    if (!area.empty())
        out += Cat(area) + L("㎡");
    return out;
}

std::string CReinsConv::Road(Field kind, Field frontage, Field designation, Field direction, Field width)
{
    std::string out = RoadKind(kind);
    if (!frontage.empty())
        out += L("接面幅") + Cat(frontage) + "m ";
    if (!designation.empty() && Code(designation) == 1)
        out += L("位置指定有り ");
    if (!direction.empty())
        out += Direction(direction);
    if (!width.empty())
        out += L("道路幅員") + Cat(width) + "m ";
    return out.empty() ? Blank() : out;
}

std::string CReinsConv::ListField(std::size_t index, const std::vector<std::string>& row)
{
    auto at = [&](std::size_t i) -> Field { return i < row.size() ? Field(row[i]) : Field(); };
    Field f = at(index);
    long long kind = Code(at(2));
    switch (index) {
    case 1: return TransactionStatus(f);
    case 2: return KindName(f);
    case 3: return KindDetail(at(2), f);
    case 35: return CurrentState(f, kind);
    case 37: return HandoverTiming(f);
    case 42: return DealingForm(f);
    case 43: return FeeForm(f);
    case 51: return MeasuringMethod(f, kind);
    case 78: return Needed(f);
    case 79: return LandCategory(f);
    case 81: return CityPlanning(f);
    case 82: return Zoning(f);
    case 88: return Rights(f);
    case 94: return Terrain(f);
    case 110: return RoadKind(f);
    case 165: return Parking(f);
    case 172: return Structure(f);
    case 178: return BuiltPacked(f);
    default: return Cat(f);
    }
}

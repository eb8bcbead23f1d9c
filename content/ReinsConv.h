#pragma once
// The words and figures a flyer shows for the codes of REINS exports. Every
// conversion takes field texts (code page 932) and returns a text; none fails.
#include <string>
#include <string_view>
#include <vector>

class CReinsConv {
public:
    using Field = std::string_view;

    // A code: the leading decimal digits of the field; 0 when there are none.
    static long long Code(Field field);

    // "　　" (two ideographic spaces): what an empty field gives.
    static const std::string& Blank();
    // "××": what an unknown code gives.
    static const std::string& Unknown();

    // Simple code tables.
    static std::string KindName(Field f);
    static std::string Structure(Field f);
    static std::string Parking(Field f);
    static std::string DealingForm(Field f);
    static std::string FeeForm(Field f);
    static std::string Management(Field f);
    static std::string Needed(Field f);
    static std::string LandCategory(Field f);
    static std::string Terrain(Field f);
    static std::string CityPlanning(Field f);
    static std::string Rights(Field f);
    static std::string YesNo(Field f);
    static std::string RoadContact(Field f);
    static std::string Direction(Field f);
    static std::string TransactionStatus(Field f);
    static std::string HandoverTiming(Field f);
    static std::string RoadKind(Field f);
    static std::string Zoning(Field f);

    // By the national property kind code (field 2 of a national row, 1-5).
    static std::string CurrentState(Field f, long long kind);
    static std::string MeasuringMethod(Field f, long long kind);
    static std::string KindDetail(Field kind, Field detail);

    // Regional layout: texts, compared exactly.
    static std::string ClassName(Field cls, Field type);
    static std::string TypeDetail(Field cls, Field type, Field detail);

    // Numbers. ManYen turns yen into units of 10,000 yen; Grouped puts commas between
    // groups of three digits and encloses the whole in double quotes.
    static std::string ManYen(Field f);
    static std::string Grouped(Field f);

    // Built dates as era year "." month: "199804" and "1998/04" both give "H10.4".
    static std::string BuiltPacked(Field f);
    static std::string BuiltSeparated(Field f);

    // Access and transport.
    static std::string Access(Field walk, Field bus1, Field bus2, Field bus3, Field busMinutes);
    static std::string Minutes(Field first, Field second);
    static std::string BusWalk(Field bus, Field walk);

    // Composite texts.
    static std::string Layout(Field rooms, Field type);
    static std::string Handover(Field code, Field year, Field period, Field altYear, Field altDetail);
    static std::string Setback(Field code, Field distance, Field area);
    static std::string Road(Field kind, Field frontage, Field designation, Field direction, Field width);

    // What the property list shows for field index of a national row.
    static std::string ListField(std::size_t index, const std::vector<std::string>& row);
};

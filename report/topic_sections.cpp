#include "common/text.h"
#include "report/fragment_writer.h"
#include "report/sections.h"

namespace korv {
namespace {

BySex same(const char* file) { return {file, file}; }
BySex bySex(const char* man, const char* woman) { return {man, woman}; }

// Planets in `house` from `file` keyed with d, and their sign files keyed with z.
PlanetsInHouseLookup withSigns(int house, BySex file, int d, int z, const char* prefix = "") {
    return {.house = house, .houseFile = std::move(file), .d = d, .signFiles = true, .signPrefix = prefix, .z = z};
}
PlanetsInHouseLookup withoutSigns(int house, BySex file, int d, bool markZero = false) {
    return {.house = house, .houseFile = std::move(file), .d = d, .markZero = markZero};
}

std::vector<TopicSection> makeTopicSections() {
    const auto A = AspectFilter::AllPairs;
    const auto H = AspectFilter::SectionHouse;
    return {
        {"s02.html", "Text_02", cp("<h2>Материальное состояние, умение зарабатывать и тратить</h2>"), 2,
         {{2, bySex("Ku_2M.html", "Ku_2F.html")}},
         {{2, same("Al_2.txt")}},
         {withSigns(2, same("P_D2.doc"), 1, 0)},
         {""}, A},
        {"s04.html", "Text_04", cp("<h2>Дом, родители, предки, недвижимое имущество</h2>"), 4,
         {{4, bySex("Ku_4M.html", "Ku_4F.html")}},
         {{4, same("Al_4.txt")}},
         {withSigns(4, same("P_D4.doc"), 1, 0)},
         {""}, A},
        // Love: houses 5 and 8; the house-8 texts carry the prefix "8_", and the texts of
        // planets in house 5 live in P_D8_M/F.doc.
        {"s05.html", "Text_05", cp("<h2>Любовь, секс, развлечения</h2>"), 5,
         {{5, bySex("Ku_5M.html", "Ku_5F.html")}, {8, bySex("8_Ku_8M.html", "8_Ku_8F.html")}},
         {{5, same("Al_5.txt")}, {8, same("8_Al_8.txt")}},
         {withSigns(5, bySex("P_D8_M.doc", "P_D8_F.doc"), 5, 5), withSigns(8, same("8_P_D8.doc"), 8, 8, "8_")},
         {"", "8_"}, A},
        {"s05_1.html", "Text_05_1", cp("<h2>Склонность к творчеству, искусству</h2>"), 5,
         {{5, same("Ku_5_1.html")}},
         {{1, same("Al_1_5.txt"), true}, {5, same("Al_5_5.txt"), true},
          {10, same("Al_10_5.txt"), true}, {11, same("Al_11_5.txt"), true}},
         {withoutSigns(1, same("P_D1_5.doc"), 1, true), withSigns(5, same("P_D5_1.doc"), 5, 5)},
         {""}, A},
        {"s06.html", "Text_06", cp("<h2>Работа, профессия</h2>"), 6,
         {{6, bySex("Ku_6M.html", "Ku_6F.html")}},
         {{6, same("Al_6.txt")}},
         {withSigns(6, same("P_D6.doc"), 6, 0)},
         {""}, H},
        {"s06_1.html", "Text_06_1", cp("<h2>Здоровье</h2>"), 6,
         {{6, bySex("Ku_6M.html", "Ku_6F.html")}},
         {{6, same("Al_6.txt")}},
         {withoutSigns(6, same("P_D6.doc"), 6)},
         {""}, H},
        {"s07.html", "Text_07", cp("<h2>Брак и семья</h2>"), 7,
         {{7, bySex("Ku_7M.html", "Ku_7F.html")}},
         {{7, bySex("Al_7M.txt", "Al_7F.txt")}},
         {withSigns(7, bySex("P_D7_M.doc", "P_D7_F.doc"), 7, 7)},
         {""}, A},
        {"s08.html", "Text_08", cp("<h2>Риск, опасности, кризисы. Конец жизни</h2>"), 8,
         {{8, bySex("Ku_8M.html", "Ku_8F.html")}},
         {{8, same("Al_8.txt")}},
         {withSigns(8, bySex("P_D8_M.doc", "P_D8_F.doc"), 8, 8)},
         {""}, A},
        {"s09.html", "Text_09", cp("<h2>Мировоззрение, высшее образование, заграница</h2>"), 9,
         {{9, bySex("Ku_9M.html", "Ku_9F.html")}},
         {{9, same("Al_9.txt")}},
         {withSigns(9, same("P_D9.doc"), 9, 0)},
         {""}, H},
        {"s10.html", "Text_10", cp("<h2>Карьера</h2>"), 10,
         {{10, bySex("Ku_10M.html", "Ku_10F.html")}},
         {{10, same("Al_10.txt")}},
         {withSigns(10, bySex("P_D10_M.doc", "P_D10_F.doc"), 10, 10)},
         {""}, A},
        {"s12.html", "Text_12", cp("<h2>Тайные стороны жизни, опасности, тайные враги.</h2>"), 12,
         {{12, same("Ku_12M.html")}},
         {{12, same("Al_12.txt")}},
         {withSigns(12, bySex("P_D12_M.doc", "P_D12_F.doc"), 12, 12)},
         {""}, A},
        {"s12_1.html", "Text_12_1", cp("<h2>Оккультизм, астрология</h2>"), 8,
         {{8, same("Ku_8M.html")}},
         {{8, same("Al_8.txt")}, {12, same("Al_12.txt")}},
         {withoutSigns(8, same("P_D8_1.doc"), 8), withoutSigns(12, same("P_D12_1.doc"), 12)},
         {""}, A},
    };
}

}  // namespace

void WriteSectionTail(const std::filesystem::path& file) {
    LineWriter w(file, LineWriter::Mode::Append);
    w.line("");
    w.line("</td></tr></table></DIV><br>");
    w.line("");
    w.close();
}

const std::vector<TopicSection>& TopicSections() {
    static const std::vector<TopicSection> sections = makeTopicSections();
    return sections;
}

const TopicSection& PersonalitySection() {
    static const TopicSection s{"s01.html", "Text_01", cp("<h2>Личные качества, характер, собственное \"Я\"</h2>"), 1,
                                {{1, bySex("Ku_1M.html", "Ku_1F.html")}},
                                {{1, same("Al_1.txt")}},
                                {withSigns(1, same("P_D1.doc"), 1, 0)},
                                {""}, AspectFilter::AllPairs};
    return s;
}

void WriteSectionLookups(const ReportContext& ctx, const TopicSection& section,
                         const std::filesystem::path& sectionFile, References& refs) {
    const ChartRecord& chart = ctx.chart;
    const bool woman = ctx.woman();
    const auto folder = ctx.libraryFolder(section.folder);
    auto markOf = [&](int p) { return chart.BirthPoints[p].auxNumber; };

    for (const CuspLookup& c : section.cusps)
        WriteFragment(ctx, folder / c.file.pick(woman), sectionFile, {.house = c.house, .sign = chart.CuspSign[c.house]},
                      refs);

    for (const AlmutenLookup& a : section.almutens) {
        const int ruler = chart.HouseRuler[a.house];
        if (ruler < 1 || ruler > kBodyCount) continue;  // 0: the house has no almuten
        const FragmentKey key{.house = a.house, .angle = a.markZero ? 0 : markOf(ruler),
                              .almutenHouse = chart.PointHouse[ruler]};
        WriteFragment(ctx, folder / a.file.pick(woman), sectionFile, key, refs);
    }

    for (const PlanetsInHouseLookup& l : section.planets) {
        for (int p = 1; p <= kBodyCount; ++p) {
            if (chart.PointHouse[p] != l.house) continue;
            const int mark = l.markZero ? 0 : markOf(p);
            const FragmentKey inHouse{.house = l.d, .planet = p, .angle = mark};
            // The key's house may differ from the house the planet stands in (money and
            // home key theirs with 1); the source list names the real one.
            std::optional<std::string> label;
            if (l.d != l.house) label = ReferenceLabel({.house = l.house, .planet = p, .angle = mark});
            WriteFragment(ctx, folder / l.houseFile.pick(woman), sectionFile, inHouse, refs, label);
            if (!l.signFiles) continue;
            const int sign = chart.BirthPoints[p].sign;
            const FragmentKey inSign{.house = l.z, .sign = sign, .planet = p, .angle = mark};
            // With z != 0 the key alone would read as a cusp; say planet, sign and house.
            std::optional<std::string> signLabel;
            if (l.z != 0) signLabel = PlanetInSignInHouseLabel(p, sign, l.house, mark);
            WriteFragment(ctx, folder / (l.signPrefix + "P" + std::to_string(p) + "_z.doc"), sectionFile, inSign,
                          refs, signLabel);
        }
    }

    for (const std::string& prefix : section.aspectPrefixes) {
        for (int i = 1; i <= 5; ++i) {
            const auto file = folder / (prefix + "A_P" + std::to_string(i) + ".doc");
            for (int j = i + 1; j <= kBodyCount; ++j) {
                const int angle = chart.AspectGrid[i][j];
                if (angle == kNoAspect) continue;
                if (section.aspectFilter == AspectFilter::SectionHouse && chart.PointHouse[i] != section.house &&
                    chart.PointHouse[j] != section.house)
                    continue;
                WriteAspectFragment(ctx, file, sectionFile, {.planet = i, .angle = angle, .partner = j}, refs);
            }
        }
    }
}

void WriteTopicSection(const ReportContext& ctx, const TopicSection& section, References& refs) {
    const auto file = ctx.outputFile(section.file);
    LineWriter head(file);
    head.line("<div align=\"center\"><table border=\"0\" width=\"100%\"><tr><td>");
    head.line("");
    head.line(section.title);
    head.close();
    WriteSectionLookups(ctx, section, file, refs);
    WriteSectionTail(file);
}

}  // namespace korv

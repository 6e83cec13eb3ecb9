// The report sections. Each writes its own Output/sNN.html: a head, the library
// fragments chosen by the chart's factors, a tail.
//
// The interpretive sections share four kinds of lookup, made in this order:
//   cusp of house h:        key (h, CuspSign[h], 0, 0, 0, 0, 0)
//   almuten A of house h:   key (h, 0, 0, mark of A, PointHouse[A], 0, 0); none when A is 0
//   planets p in house h:   house file key (d, 0, p, mark of p, 0, 0, 0), then the sign
//                           file prefix + "P<p>_z.doc" key (z, sign of p, p, mark of p, 0, 0, 0)
//   aspects i = 1..5 with j = i+1..10: prefix + "A_P<i>.doc" key (0, 0, i, AspectGrid[i][j], 0, 0, j)
// where the mark of a planet is its affliction mark (auxNumber). What differs between the
// sections is data: the TopicSection table below.
#pragma once

#include <string>
#include <vector>

#include "report/report_context.h"

namespace korv {

// A library file name by the person's sex; `man == woman` where the library makes no
// distinction.
struct BySex {
    std::string man{};
    std::string woman{};
    const std::string& pick(bool woman_) const { return woman_ ? woman : man; }
};

struct CuspLookup {
    int house = 0;
    BySex file{};
};

struct AlmutenLookup {
    int house = 0;
    BySex file{};
    bool markZero = false;  // key the almuten with mark 0 instead of its own
};

struct PlanetsInHouseLookup {
    int house = 0;          // the planets standing in this house
    BySex houseFile{};      // planet-in-house texts
    int d = 0;              // key house of the planet-in-house texts
    bool markZero = false;  // key the planets with mark 0 instead of their own
    bool signFiles = false; // also the planet-in-sign texts
    std::string signPrefix{};  // ... named signPrefix + "P<p>_z.doc"
    int z = 0;              // key house of the planet-in-sign texts
};

enum class AspectFilter {
    AllPairs,      // every aspect among Sun..Mars and the later planets
    SectionHouse,  // only pairs with a planet in the section's house
};

struct TopicSection {
    std::string file;    // "s02.html"
    std::string folder;  // library folder under System: "Text_02"
    std::string title;   // the h2 line, Windows-1251
    int house = 0;       // the section's (first) house: the one the aspect filter looks at
    std::vector<CuspLookup> cusps;
    std::vector<AlmutenLookup> almutens;
    std::vector<PlanetsInHouseLookup> planets;
    std::vector<std::string> aspectPrefixes;  // one aspect pass per prefix, in order
    AspectFilter aspectFilter = AspectFilter::AllPairs;
};

// The twelve topic sections in run order: s02, s04, s05, s05_1, s06, s06_1, s07, s08,
// s09, s10, s12, s12_1.
const std::vector<TopicSection>& TopicSections();
// The interpretive part of the personality section s01 (folder Text_01, house 1).
const TopicSection& PersonalitySection();

// The fragments of one section, appended to `sectionFile`.
void WriteSectionLookups(const ReportContext& ctx, const TopicSection& section,
                         const std::filesystem::path& sectionFile, References& refs);

// An empty line, the closing of the section's table, an empty line.
void WriteSectionTail(const std::filesystem::path& file);

// s02 .. s12_1: head with the title, the lookups, tail.
void WriteTopicSection(const ReportContext& ctx, const TopicSection& section, References& refs);
// s01: the report head (library header page, birth data, chart picture, planets table,
// Sun-sign text, introduction), then the first-house fragments.
void WritePersonalitySection(const ReportContext& ctx, References& refs);
// s14: the heading of the reference data and the note on the birth time's accuracy.
inline constexpr const char* kReferenceDataFile = "s14.html";
void WriteReferenceDataSection(const ReportContext& ctx);

// Genitive names, Windows-1251: " мая " (with the blanks), "Тельца". Out of range: "".
const std::string& MonthNameOf(int month);
const std::string& SignNameOf(int sign);

}  // namespace korv

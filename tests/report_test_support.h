// Shared pieces of the report tests: a program folder in a temporary directory, keyed
// library files built from (key, text) pairs, and a hand-made chart whose factors the
// tests choose (no engine involved).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "common/program_folders.h"
#include "astro/chart_record.h"
#include "common/text.h"
#include "input/birth_record.h"
#include "report/library.h"
#include "report/report_context.h"
#include "tests/temp_dir.h"

namespace korv::testing {

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// "* 001 003 000 000 000 000 000".
inline std::string keyLine(const FragmentKey& k) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "* %03d %03d %03d %03d %03d %03d %03d", k.house, k.sign, k.planet, k.angle,
                  k.almutenHouse, k.spare, k.partner);
    return buffer;
}

// A keyed file: each fragment as key line, text (UTF-8 in, Windows-1251 out) and "@".
inline std::string keyedFile(const std::vector<std::pair<FragmentKey, std::string>>& fragments) {
    std::string out;
    for (const auto& [key, text] : fragments) out += keyLine(key) + "\r\n" + cp(text) + "@\r\n\r\n";
    return out;
}

// Every aspect "none", every planet in house 12, classical house rulers, cusps Aries..Pisces.
inline ChartRecord quietChart() {
    ChartRecord chart;
    for (auto& row : chart.AspectGrid) row.fill(kNoAspect);
    for (int p = 1; p <= kBodyCount; ++p) {
        chart.PointHouse[p] = 12;
        chart.BirthPoints[p].sign = p;
    }
    for (int h = 1; h <= 12; ++h) {
        chart.CuspSign[h] = static_cast<std::uint8_t>(h);
        chart.HouseRuler[h] = kClassicalSignRuler[h];
    }
    return chart;
}

inline TInData person(const std::string& sex) {
    TInData b;
    b.name = padRight(cp("Мария Иванова"), 40);
    b.city = padRight(cp("Казань"), 25);
    b.coordText = cp(" 49°07’ВД  55°47’СШ");
    b.sexCode = sex;
    b.day = 3;
    b.month = 6;
    b.year = 1985;
    b.hour = 9;
    b.minute = 15;
    return b;
}

// A program folder with System/, Images/ and an empty Output/.
class ProgramFolder {
public:
    ProgramFolder() : folders_(ProgramFolders::at(dir_.path())) {
        std::filesystem::create_directories(folders_.output());
    }
    const ProgramFolders& folders() const { return folders_; }
    std::filesystem::path path(const std::string& relative) const { return dir_.path() / relative; }
    void write(const std::string& relative, const std::string& bytes) const { writeBytes(path(relative), bytes); }
    std::string read(const std::string& relative) const { return readBytes(path(relative)); }
    bool exists(const std::string& relative) const { return std::filesystem::exists(path(relative)); }

private:
    TempDir dir_;
    ProgramFolders folders_;
};

// A program folder with a chart and a person, ready to run single writers: the source
// list exists, as the report run leaves it before the first section.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture() { folder.write("Output/s20.html", ""); }
    ReportContext context() { return ReportContext{folder.folders(), birth, chart, library}; }
    std::string output(const std::string& name) const { return cp1251ToUtf8(folder.read("Output/" + name)); }
    std::string sourceList() const { return output("s20.html"); }

    ProgramFolder folder;
    TInData birth = person("M");
    ChartRecord chart = quietChart();
    FragmentLibrary library;
    References refs;
};

// Occurrences of `needle` in `text`.
inline int countOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (auto pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + needle.size())) ++n;
    return n;
}

}  // namespace korv::testing

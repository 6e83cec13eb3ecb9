// `korvinaut-cli chart`: the chart for the birth fields, as readable text or as JSON.
// The Pluto table is read from PROGRAM_FOLDER/System/pluto.sys (--dir, default: the
// working directory).
#include <cstdio>
#include <string>

#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "app/cli/json_writer.h"
#include "astro/chart_computation.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv::cli {
namespace {

std::string aspectName(int code) {
    switch (code) {
        case 0: return "Соединение";
        case 60: return "Секстиль";
        case 90: return "Квадрат";
        case 120: return "Трин";
        case 180: return "Оппозиция";
        default: return "";
    }
}

const char* kRomanHouse[13] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};

// UTF-8 text padded with blanks to `width` characters (not bytes).
std::string padUtf8(const std::string& text, std::size_t width) {
    std::size_t chars = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++chars;
    return chars >= width ? text : text + std::string(width - chars, ' ');
}

std::string signPosition(const ChartPoint& p) {
    return padUtf8(cp1251ToUtf8(SignName(p.sign)), 10) + padLeft(intText(p.degreeInSign), 2) + "°" +
           zeroPadded(p.minute, 2) + "'";
}

void printJson(const TInData& birth, const ChartRecord& chart) {
    JsonWriter j;
    j.beginObject();
    j.key("moment").value(birth.moment);
    j.key("bodies").beginArray();
    for (int k = 1; k <= kBodyCount; ++k) {
        const ChartPoint& p = chart.BirthPoints[k];
        j.beginObject();
        j.key("n").value(k);
        j.key("name").value(cp1251ToUtf8(PointName(k)));
        j.key("longitude").value(p.longitude);
        j.key("latitude").value(p.latitude);
        j.key("declination").value(p.declination);
        j.key("rightAscension").value(p.rightAscension);
        j.key("dailyMotion").value(p.dailyMotion);
        j.key("sign").value(static_cast<int>(p.sign));
        j.key("degreeInSign").value(static_cast<int>(p.degreeInSign));
        j.key("minute").value(static_cast<int>(p.minute));
        j.key("second").value(static_cast<int>(p.second));
        j.key("house").value(static_cast<int>(chart.PointHouse[k]));
        j.endObject();
    }
    j.endArray();
    j.key("cusps").beginArray();
    for (int i = 1; i <= 12; ++i) j.value(chart.HouseCusps[i]);
    j.endArray();
    j.key("cuspSign").beginArray();
    for (int i = 1; i <= 12; ++i) j.value(static_cast<int>(chart.CuspSign[i]));
    j.endArray();
    j.key("houseRuler").beginArray();
    for (int i = 1; i <= 12; ++i) j.value(static_cast<int>(chart.HouseRuler[i]));
    j.endArray();
    j.key("aspects").beginArray();
    for (int i = 1; i <= kBodyCount; ++i) {
        j.beginArray();
        for (int k = 1; k <= kBodyCount; ++k) j.value(static_cast<int>(chart.AspectGrid[i][k]));
        j.endArray();
    }
    j.endArray();
    j.endObject();
    std::printf("%s\n", j.text().c_str());
}

void printText(const TInData& birth, const ChartRecord& chart) {
    std::printf("%s %s %s %s\n", trimBlanks(cp1251ToUtf8(birth.name)).c_str(), cp1251ToUtf8(birth.dateText).c_str(),
                cp1251ToUtf8(birth.timeText).c_str(), trimBlanks(cp1251ToUtf8(birth.city)).c_str());
    std::printf("%s, moment %s\n\n", cp1251ToUtf8(birth.coordText).c_str(), formatNumber17(birth.moment).c_str());

    std::printf("%s%s%s  %s\n", padUtf8("Body", 10).c_str(), padUtf8("Position", 18).c_str(),
                padUtf8("Speed (deg/day)", 15).c_str(), "House");
    for (int k = 1; k <= kBodyCount; ++k) {
        const ChartPoint& p = chart.BirthPoints[k];
        const std::string speed = fixedText(p.dailyMotion, 4) + (p.dailyMotion < 0 ? " R" : "");
        std::printf("%s%s  %s  %d\n", padUtf8(cp1251ToUtf8(PointName(k)), 10).c_str(), signPosition(p).c_str(),
                    padUtf8(speed, 15).c_str(), chart.PointHouse[k]);
    }

    std::printf("\nHouse cusps\n");
    for (int i = 1; i <= 12; ++i)
        std::printf("%-5s %s\n", kRomanHouse[i], signPosition(chart.BirthPoints[31 + i]).c_str());

    // Row bodies come first and have the larger orbs, so the upper half of the grid
    // holds every aspect of the chart.
    std::printf("\nAspects\n");
    for (int i = 1; i <= 9; ++i)
        for (int k = i + 1; k <= kBodyCount; ++k) {
            const int code = chart.AspectGrid[i][k];
            if (code == kNoAspect) continue;
            std::printf("%s%s%s\n", padUtf8(cp1251ToUtf8(PointName(i)), 10).c_str(),
                        padUtf8(cp1251ToUtf8(PointName(k)), 10).c_str(), aspectName(code).c_str());
        }
}

}  // namespace

int RunChart(int argc, char** argv) {
    std::set<std::string> flags = kBirthFlags;
    flags.insert("--json");
    const Args args(argc, argv, flags);
    std::set<std::string> known = kBirthOptions;
    known.insert({"--json", "--dir"});
    args.allowOnly(known);

    TInData birth = BirthRecordFromArgs(args, true);
    PlutoTable pluto(FoldersFromArgs(args).SysDir / "pluto.sys");
    EngineState state;
    ChartRecord chart;
    ComputeChart(birth, chart, state, pluto);

    if (args.has("--json")) printJson(birth, chart);
    else printText(birth, chart);
    return 0;
}

}  // namespace korv::cli

// `korvinaut-cli convert`: the birth record built from the birth fields, every field
// printed, with the universal-time moment.
#include <cstdio>

#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "app/cli/json_writer.h"
#include "common/text.h"

namespace korv::cli {

int RunConvert(int argc, char** argv) {
    std::set<std::string> flags = kBirthFlags;
    flags.insert("--json");
    const Args args(argc, argv, flags);
    std::set<std::string> known = kBirthOptions;
    known.insert("--json");
    args.allowOnly(known);
    const TInData r = BirthRecordFromArgs(args, false);

    if (args.has("--json")) {
        JsonWriter j;
        j.beginObject();
        j.key("line").value(cp1251ToUtf8(r.line));
        j.key("name").value(cp1251ToUtf8(r.name));
        j.key("dateText").value(cp1251ToUtf8(r.dateText));
        j.key("timeText").value(cp1251ToUtf8(r.timeText));
        j.key("zoneText").value(cp1251ToUtf8(r.zoneText));
        j.key("coordText").value(cp1251ToUtf8(r.coordText));
        j.key("sexCode").value(cp1251ToUtf8(r.sexCode));
        j.key("dstCode").value(cp1251ToUtf8(r.dstCode));
        j.key("city").value(cp1251ToUtf8(r.city));
        j.key("day").value(r.day).key("month").value(r.month).key("year").value(r.year);
        j.key("hour").value(r.hour).key("minute").value(r.minute).key("second").value(r.second);
        j.key("zoneHours").value(r.zoneHours);
        j.key("moment").value(r.moment);
        j.endObject();
        std::printf("%s\n", j.text().c_str());
        return 0;
    }
    auto show = [](const char* label, const std::string& cp1251) {
        std::printf("%-10s \"%s\"\n", label, cp1251ToUtf8(cp1251).c_str());
    };
    show("line", r.line);
    show("name", r.name);
    show("dateText", r.dateText);
    show("timeText", r.timeText);
    show("zoneText", r.zoneText);
    show("coordText", r.coordText);
    show("sexCode", r.sexCode);
    show("dstCode", r.dstCode);
    show("city", r.city);
    std::printf("%-10s %d.%d.%d\n", "date", r.day, r.month, r.year);
    std::printf("%-10s %d:%d:%d\n", "time", r.hour, r.minute, r.second);
    std::printf("%-10s %s\n", "zoneHours", formatNumber17(r.zoneHours).c_str());
    std::printf("%-10s %s\n", "moment", formatNumber17(r.moment).c_str());
    return 0;
}

}  // namespace korv::cli

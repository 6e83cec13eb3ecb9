#include "input/zone_table.h"

#include <sstream>
#include <vector>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

class BlockReader {
public:
    explicit BlockReader(LineReader& reader) : reader_(reader) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw Error(displayPath(reader_.path()) + ", строка " + std::to_string(reader_.lineNumber()) + ": " + what);
    }

    std::int32_t number(const std::string& text) const {
        return parseInt(text, displayPath(reader_.path()) + ", строка " + std::to_string(reader_.lineNumber()));
    }

    ClockPeriod period(const std::string& offset, const std::string& kind) const {
        if (kind != "S" && kind != "D" && kind != "L") fail("вид времени '" + kind + "' не S, D или L");
        return {number(offset), static_cast<ClockKind>(kind[0])};
    }

    RuleDate ruleDate(const std::string& text) const {
        // M.W.D/SECONDS
        RuleDate d;
        const auto dot1 = text.find('.'), dot2 = text.find('.', dot1 + 1), slash = text.find('/');
        if (dot1 == std::string::npos || dot2 == std::string::npos || slash == std::string::npos)
            fail("дата правила '" + text + "' не вида M.W.D/SECONDS");
        d.month = number(text.substr(0, dot1));
        d.week = number(text.substr(dot1 + 1, dot2 - dot1 - 1));
        d.weekday = number(text.substr(dot2 + 1, slash - dot2 - 1));
        d.seconds = number(text.substr(slash + 1));
        if (d.month < 1 || d.month > 12 || d.week < 1 || d.week > 5 || d.weekday < 0 || d.weekday > 6)
            fail("дата правила '" + text + "' вне пределов");
        return d;
    }

    std::int64_t instant(const std::string& text) const {
        if (text.size() != 14 || text.find_first_not_of("0123456789") != std::string::npos)
            fail("момент '" + text + "' не вида YYYYMMDDhhmmss");
        auto part = [&](std::size_t at, std::size_t n) { return number(text.substr(at, n)); };
        return DaysFromCivil(part(0, 4), part(4, 2), part(6, 2)) * 86400 + part(8, 2) * 3600 + part(10, 2) * 60 +
               part(12, 2);
    }

    // The lines after a zone's "Z" line up to the next zone.
    ZoneHistory zone(const std::vector<std::string>& head) {
        const ClockPeriod initial = period(head[2], head[3]);
        std::vector<ClockChange> changes;
        std::optional<YearlyRule> openRule;
        int ruleYear = 0;
        std::string line;
        while (reader_.next(line)) {
            if (line.empty() || line[0] == ';') continue;
            const auto w = words(line);
            if (w.empty()) continue;
            if (w[0] == "Z" || w[0] == "L") break;
            if (openRule) fail("строка после правила без конца");
            if (w[0] == "R") {
                if (w.size() != 9) fail("правило не из девяти полей");
                const YearlyRule rule{period(w[3], w[4]), period(w[5], w[6]), ruleDate(w[7]), ruleDate(w[8])};
                const int first = number(w[1]);
                if (w[2] == "-") {
                    openRule = rule;
                    ruleYear = first;
                    continue;
                }
                for (int year = first, last = number(w[2]); year <= last; ++year)
                    for (const ClockChange& c : rule.changes(year)) changes.push_back(c);
                continue;
            }
            if (w.size() != 3) fail("перевод часов не из трёх полей");
            changes.push_back({instant(w[0]), period(w[1], w[2])});
        }
        for (std::size_t i = 1; i < changes.size(); ++i)
            if (changes[i].ut <= changes[i - 1].ut) fail("переводы часов не по порядку");
        return ZoneHistory(head[1], initial, std::move(changes), openRule, ruleYear);
    }

private:
    LineReader& reader_;
};

}  // namespace

std::filesystem::path ZoneTablePath(const std::filesystem::path& sysDir) { return sysDir / kZoneTableFileName; }

ZoneHistory ReadZoneHistory(const std::filesystem::path& table, std::string_view name) {
    std::string wanted(name);
    // The aliases stand before the zones, so one pass finds an alias and then its zone.
    LineReader reader(table);
    BlockReader block(reader);
    std::string line;
    while (reader.next(line)) {
        if (line.empty() || line[0] == ';') continue;
        const auto w = words(line);
        if (w.size() == 3 && w[0] == "L" && w[1] == wanted) wanted = w[2];
        if (w.size() == 4 && w[0] == "Z" && w[1] == wanted) return block.zone(w);
    }
    throw Error("Часовой пояс «" + std::string(name) + "» не найден в таблице " + displayPath(table));
}

}  // namespace korv

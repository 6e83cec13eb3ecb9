#include "common/settings.h"

#include <vector>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv {

Settings ReadSettings(const std::filesystem::path& setDat) {
    std::vector<std::string> lines = readLines(setDat);
    lines.resize(9);
    const std::string file = displayPath(setDat);
    auto integerAt = [&](int n) {
        return parseInt(trimBlanks(lines[n - 1]), file + ", line " + std::to_string(n));
    };
    Settings s;
    s.line1 = integerAt(1);
    s.line2 = integerAt(2);
    s.line3 = lines[2];
    s.EpilogShowPicture = integerAt(4);
    s.EpilogShowNotice = integerAt(5);
    s.EpilogShowSite = integerAt(6);
    s.EpilogNotice = lines[6];
    s.EpilogSite = lines[7];
    s.EpilogPicture = lines[8];
    return s;
}

}  // namespace korv

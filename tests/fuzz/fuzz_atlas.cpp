// A place file: the lists and the lookup never crash, and every city the list shows is
// found by the lookup (or refused with an error for a line it cannot read, never "the
// file has changed").
#include "common/error.h"
#include "fuzz_support.h"
#include "input/atlas.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::writeScratch("sng.wdt", fuzz::bytesOf(data, size));
    std::vector<std::string> countries;
    try {
        countries = ReadCountryList(file);
    } catch (const Error&) {
        return 0;
    }
    for (const std::string& country : countries) {
        std::vector<std::string> cities;
        try {
            cities = ReadCityList(file, country);
        } catch (const Error&) {
            fuzz::broken("a listed country cannot list its cities");
        }
        for (const std::string& city : cities) {
            try {
                LookUpPlace(file, country, city, {2000, 6, 15, 12, 0, 0});
            } catch (const Error& e) {
                if (std::string(e.what()).find("файл изменился") != std::string::npos)
                    fuzz::broken("a listed city is not found by the lookup");
            }
        }
    }
    return 0;
}

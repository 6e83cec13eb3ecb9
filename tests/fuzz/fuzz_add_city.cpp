// Adding a city: the first input line is the city's name and fields, the rest the place
// file. A refused city leaves the file byte for byte as it was; an accepted one is listed
// afterwards under its country.
#include "common/error.h"
#include "fuzz_support.h"
#include "common/text.h"
#include "input/add_city.h"

#include <algorithm>
#include "input/atlas.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::bytesOf(data, size);
    const std::size_t cut = bytes.find('\n');
    if (cut == std::string::npos) return 0;
    const std::string cityFields = bytes.substr(0, cut);
    const std::string fileBytes = bytes.substr(cut + 1);
    // name|latDeg|latMin|lonDeg|lonMin|south|west
    std::vector<std::string> f(7);
    std::size_t k = 0;
    for (char c : cityFields) {
        if (c == '|' && k + 1 < f.size()) ++k;
        else f[k] += c;
    }
    NewCity city{f[0], f[1], f[2], !f[5].empty(), f[3], f[4], !f[6].empty()};

    const auto file = fuzz::writeScratch("sng.wdt", fileBytes);
    std::vector<std::string> countries;
    try {
        countries = ReadCountryList(file);
    } catch (const Error&) {
        return 0;
    }
    if (countries.empty()) return 0;
    const std::string& country = countries.front();
    std::string line;
    try {
        line = AddCity(file, country, city);
    } catch (const Error&) {
        if (readFileBytes(file) != fileBytes) fuzz::broken("a refused city changed the file");
        return 0;
    }
    const auto cities = ReadCityList(file, country);
    if (std::find(cities.begin(), cities.end(), line.substr(0, kPlaceEntryLength)) == cities.end())
        fuzz::broken("an added city is not listed under its country");
    return 0;
}

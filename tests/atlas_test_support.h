// Shared by the atlas tests: the small place files of tests/data/atlas/System and a
// private copy of them for tests that write.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/text.h"
#include "temp_dir.h"

namespace korv::atlas_test {

inline std::filesystem::path sampleSysDir() {
    return std::filesystem::path(KORVINAUT_SOURCE_DIR) / "tests" / "data" / "atlas" / "System";
}
inline std::filesystem::path sampleFile(const char* name) { return sampleSysDir() / name; }

// A list entry as the place file holds it: the first 30 characters, blank-padded, with
// a blank in column 1 ("Москва" -> " Москва" + 23 blanks).
inline std::string entry(const char* utf8Name) { return padRight(" " + cp(utf8Name), 30); }

// Place file lines in Windows-1251: a country line with the given zone columns from
// column 33 on, and a city line with the given columns from 32 on (" 55 45   37 37").
inline std::string countryLine(const char* utf8Name, const std::string& zones = "") {
    return padRight("*" + cp(utf8Name), 32) + zones;
}
inline std::string cityLine(const char* utf8Name, const std::string& coordinates) {
    return padRight(" " + cp(utf8Name), 31) + coordinates;
}

// A folder holding a copy of the sample place files.
class SampleCopy {
public:
    SampleCopy() {
        for (const auto& e : std::filesystem::directory_iterator(sampleSysDir()))
            std::filesystem::copy_file(e.path(), dir_.path() / e.path().filename());
    }
    const std::filesystem::path& sysDir() const { return dir_.path(); }
    std::filesystem::path file(const char* name) const { return dir_.path() / name; }

private:
    TempDir dir_;
};

}  // namespace korv::atlas_test

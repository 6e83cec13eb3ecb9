// System/set.dat: nine lines configuring the report's epilogue. Lines 1-3 belong to
// the settings tool that writes the file; they are read and kept, nothing uses them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace korv {

struct Settings {
    std::int32_t line1 = 0;
    std::int32_t line2 = 0;
    std::string line3;
    std::int32_t EpilogShowPicture = 0;  // 1: the epilogue shows the logo picture
    std::int32_t EpilogShowNotice = 0;   // 1: ... the owner's notice
    std::int32_t EpilogShowSite = 0;     // 1: ... the site link
    std::string EpilogNotice;            // trusted HTML, inserted unchanged (Windows-1251)
    std::string EpilogSite;              // address without "http://"
    std::string EpilogPicture;           // src of the logo image
};

// Reads the nine lines. A missing file raises "File not found: <path>"; an integer
// line that does not convert names the file and the line. Missing lines read as empty
// (so a missing integer line is reported as not a valid integer).
Settings ReadSettings(const std::filesystem::path& setDat);

}  // namespace korv

// Pluto's longitude from the table System/pluto.sys: line k holds the whole degrees of
// Pluto's geocentric ecliptic longitude (equinox of date) for moments k <= m < k + 1.
// Outside the table Pluto comes from its approximate Keplerian elements.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "astro/angles.h"
#include "astro/chart_record.h"

namespace korv {

// The parsed table, kept for the life of the process. Every lookup checks the file's
// size and modification time, so a changed file is read anew and a missing one is
// reported, exactly as a fresh read would.
class PlutoTable {
public:
    explicit PlutoTable(std::filesystem::path file);
    const std::filesystem::path& path() const { return path_; }
    // The value of line n (1-based), or nothing when n lies before the first or after
    // the last line. A missing or malformed file raises korv::Error.
    std::optional<int> lineValue(long long n);

private:
    void refresh();
    std::filesystem::path path_;
    std::vector<int> values_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type modified_{};
    bool loaded_ = false;
};

// Writes the longitude of `point` (degrees + 0.0045 from the table), sets declination,
// latitude and right ascension to 0 and clears the Sun vector.
void PlutoPosition(double moment, ChartPoint& point, EngineState& state, PlutoTable& table);

}  // namespace korv

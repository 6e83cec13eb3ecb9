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

// Lines of the shipped table: one a day from 1900-01-01 to 2100-12-31.
constexpr std::size_t kPlutoTableLines = 73414;

// The parsed table, kept for the life of the process. `refresh` checks the file's size
// and modification time (the chart computation calls it once per chart), so a changed
// file is read anew and a missing one is reported, as a fresh read would; lookups
// between two refreshes touch no file, and several threads may share a read table.
class PlutoTable {
public:
    // `minimumLines`: fewer lines mean a table cut short (tests use small tables).
    explicit PlutoTable(std::filesystem::path file, std::size_t minimumLines = kPlutoTableLines);
    const std::filesystem::path& path() const { return path_; }
    // Reads the file unless it was read and has not changed since. A missing file or a
    // damaged table (a line that is not a whole degree 0..359, a jump of more than one
    // degree from one day to the next, too few lines) raises korv::Error naming the file
    // and the line; the table then counts as not read.
    void refresh();
    // The value of line n (1-based), or nothing when n lies before the first or after
    // the last line. Raises korv::Error when the table has not been read.
    std::optional<int> lineValue(long long n) const;

private:
    std::filesystem::path path_;
    std::size_t minimumLines_;
    std::vector<int> values_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type modified_{};
    bool loaded_ = false;
};

// Writes the longitude of `point` (degrees + 0.0045 from the table), sets declination,
// latitude and right ascension to 0 and clears the Sun vector. The table must have
// been read (PlutoTable::refresh).
void PlutoPosition(double moment, ChartPoint& point, EngineState& state, const PlutoTable& table);

}  // namespace korv

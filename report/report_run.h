// The report run: from a finished chart to Output/horoscop.html and Output/Horoscop.zip.
//
//   sign pictures of earlier runs removed -> wheel saved as horoscop.bmp -> empty source
//   list s20.html -> sections s01..s14 in run order -> joined in reading order into
//   horoscop.html -> two-column source list, glossary, advice, epilogue -> mark and
//   Sun-sign pictures copied -> intermediate files removed -> everything zipped.
//
// The Output folder must exist; the run does not create it. A failing step raises
// korv::Error and the run stops there, leaving the intermediate files in place.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/program_folders.h"
#include "common/settings.h"
#include "astro/chart_record.h"
#include "common/text.h"
#include "input/birth_record.h"
#include "report/report_context.h"

namespace korv {

// Saves the chart wheel of the chart being reported as a BMP file at the given path.
using SaveWheelPicture = std::function<void(const std::filesystem::path& bmpFile)>;

struct ReportResult {
    std::filesystem::path html;     // Output/horoscop.html
    std::filesystem::path archive;  // Output/Horoscop.zip
    std::int32_t references = 0;    // fragments written (lines of the source list)
    // Problems of the library files the run read (a damaged key line, a fragment
    // without "@"): the report is written all the same; the caller shows them.
    std::vector<std::string> warnings;
};

// The section files in the order they are written (reference numbers follow it) and in
// the order they are joined.
const std::vector<std::string>& SectionRunOrder();
const std::vector<std::string>& SectionJoinOrder();

// What the run reads: the program folder (the report goes to its OutputDir), the birth
// and chart records of the last chart run, and the epilogue settings from
// System/set.dat. The library's keyed files are read by the run itself, or taken from
// `library` when given (batch reports read them once for all).
struct ReportRunInput {
    ProgramFolders folders;
    const TInData& birth;
    const ChartRecord& chart;
    const Settings& settings;
    FragmentLibrary* library = nullptr;
};

// Runs every step. The run owns the reference numbering: it starts at 1 in every report.
ReportResult RunReport(const ReportRunInput& input, const SaveWheelPicture& saveWheel);

// Single steps, for the run and its tests.
// Writes the source list in two columns: half = count / 2, then half + 1 lines in the
// first and count - half - 1 in the second; lines the list lacks come out empty.
void WriteSourceListTable(const std::filesystem::path& sourceList, std::int32_t count, LineWriter& out);
// The epilogue lines from the settings (logo, owner's notice, site link).
std::vector<std::string> EpilogueLines(const Settings& settings);

}  // namespace korv

// What every report writer reads, and the reference numbering it advances. A report run
// owns one ReportContext and one References and hands them to each writer in turn:
//
//   birth record + chart record + library -> section files s01..s14 under Output/,
//   one source-list line per fragment in Output/s20.html -> joined horoscop.html.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/program_folders.h"
#include "astro/chart_record.h"
#include "input/birth_record.h"
#include "report/library.h"

namespace korv {

struct ReportContext {
    ProgramFolders folders;
    const TInData& birth;
    const ChartRecord& chart;
    FragmentLibrary& library;  // keyed files read during this run

    bool woman() const { return birth.sexCode == "F"; }
    std::filesystem::path outputFile(const std::string& name) const { return folders.output() / name; }
    std::filesystem::path sourceList() const { return outputFile("s20.html"); }
    std::filesystem::path libraryFolder(const std::string& folder) const { return folders.SysDir / folder; }
};

// The running number of the fragments written in one report run and the coloured
// "(n)" mark of the latest one.
struct References {
    std::int32_t ReferenceCount = 0;
    std::string ReferenceMark;
};

}  // namespace korv

// One person's report as the `report`, `bench-report` and `batch` commands write it:
// chart, wheel picture, report run. What every report of a run reads alike (settings,
// Pluto table, background picture, and for batches the library) is read once into
// ReportResources and shared read-only, so that reports may run on several threads.
#pragma once

#include <filesystem>

#include <QImage>

#include "astro/pluto.h"
#include "common/program_folders.h"
#include "common/settings.h"
#include "input/birth_record.h"
#include "report/library.h"
#include "report/report_run.h"

namespace korv::cli {

struct ReportResources {
    // Reads System/set.dat, the Pluto table and Images/04.bmp of the program folder.
    explicit ReportResources(const ProgramFolders& folders);

    ProgramFolders folders;
    Settings settings;
    PlutoTable pluto;
    QImage background;
    FragmentLibrary library;  // used when a report is asked to share it
};

// Computes the chart of `birth`, draws its wheel and writes the report into
// `outputDir` (an existing folder). `shareLibrary`: take the keyed files from
// resources.library instead of reading them for this report alone.
ReportResult WriteReport(ReportResources& resources, TInData birth, const std::filesystem::path& outputDir,
                         bool shareLibrary);

}  // namespace korv::cli

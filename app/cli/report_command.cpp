// `korvinaut-cli report`: the whole main job for one person, as the desktop program runs
// it: the chart computation, the wheel picture and the report run, leaving
// Output/horoscop.html and Output/Horoscop.zip in the program folder.
// `korvinaut-cli bench-report`: the same job for the example person, timed.
//
// The wheel is drawn by the Qt canvas on Qt's offscreen platform, at the size of the
// main window's picture, so horoscop.bmp is the picture the window would save.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "app/cli/report_job.h"
#include "common/program_folders.h"
#include "app/cli/drawing_setup.h"
#include "chart/qt/wheel_image.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"
#include "input/example_birth.h"

namespace korv::cli {
namespace {

// The example person (a woman born in Moscow, the place from the atlas), or the birth
// options of `chart`: coordinates and zone, or an atlas place
// (--region, --country, --city) whose zone on the birth date the place files give.
TInData birthFromArgs(const Args& args, const ProgramFolders& folders) {
    if (args.has("--example")) return ExampleBirthRecord(folders.SysDir);
    return BirthRecordFromArgs(args, true);
}

}  // namespace

int RunReportCommand(int argc, char** argv) {
    std::set<std::string> flags = kBirthFlags;
    flags.insert("--example");
    const Args args(argc, argv, flags);
    std::set<std::string> known = kBirthOptions;
    known.insert({"--dir", "--example"});
    args.allowOnly(known);

    const ProgramFolders folders = FoldersFromArgs(args);
    const TInData birth = birthFromArgs(args, folders);
    OffscreenGuiApplication app("korvinaut-cli");
    ReportResources resources(folders);
    InstallDrawingFonts(folders);
    const ReportResult result = WriteReport(resources, birth, folders.output(), false);
    for (const std::string& w : result.warnings) std::fprintf(stderr, "korvinaut-cli: warning: %s\n", w.c_str());
    std::printf("%s\n%s\n", result.html.string().c_str(), result.archive.string().c_str());
    return 0;
}

int RunBenchReport(int argc, char** argv) {
    const Args args(argc, argv, {});
    args.allowOnly({"--dir", "--runs"});
    const int runs = parseInt(args.value("--runs", "20"), "--runs");
    if (runs < 1) throw Error("--runs: give at least 1");

    const ProgramFolders folders = FoldersFromArgs(args);
    OffscreenGuiApplication app("korvinaut-cli");
    ReportResources resources(folders);
    InstallDrawingFonts(folders);
    const TInData birth = ExampleBirthRecord(folders.SysDir);

    std::vector<double> ms;
    std::int32_t references = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        references = WriteReport(resources, birth, folders.output(), false).references;
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const double median = runs % 2 ? sorted[runs / 2] : (sorted[runs / 2 - 1] + sorted[runs / 2]) / 2;
    std::printf("example report (chart, wheel, report run, archive), %d runs, %d fragments\n", runs, references);
    std::printf("min %s ms, median %s ms, max %s ms\n", fixedText(sorted.front(), 1).c_str(),
                fixedText(median, 1).c_str(), fixedText(sorted.back(), 1).c_str());
    return 0;
}

}  // namespace korv::cli

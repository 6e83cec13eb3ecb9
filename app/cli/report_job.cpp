#include "app/cli/report_job.h"

#include "astro/chart_computation.h"
#include "chart/qt/wheel_image.h"
#include "chart/wheel.h"

namespace korv::cli {

ReportResources::ReportResources(const ProgramFolders& f)
    : folders(f),
      settings(ReadSettings(f.SysDir / "set.dat")),
      pluto(f.SysDir / "pluto.sys"),
      background(LoadPicture(f.images() / "04.bmp")) {
    pluto.refresh();
}

ReportResult WriteReport(ReportResources& r, TInData birth, const std::filesystem::path& outputDir, bool shareLibrary) {
    ChartRecord chart;
    EngineState engine;
    ComputeChartWithReadTable(birth, chart, engine, r.pluto);
    const QImage wheel = RenderChartWheel(chart, kChartPictureWidth, kChartPictureHeight, r.background);
    ProgramFolders folders = r.folders;
    folders.OutputDir = outputDir;
    return RunReport({folders, birth, chart, r.settings, shareLibrary ? &r.library : nullptr},
                     [&](const std::filesystem::path& bmp) { SaveWheelImage(wheel, bmp); });
}

}  // namespace korv::cli

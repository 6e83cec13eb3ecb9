// `korvinaut-cli wheel`: the chart wheel for the birth fields as a picture, the way the
// main window shows it: 777 x 626 pixels over the background Images/04.bmp, saved as
// BMP or PNG (--out). Everything is read from the program folder (--dir, default the
// working directory): System/pluto.sys, Images/04.bmp and the font Astro3.ttf. The
// drawing runs on Qt's offscreen platform, so no display is needed.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "common/program_folders.h"
#include "astro/chart_computation.h"
#include "app/cli/drawing_setup.h"
#include "chart/qt/wheel_image.h"
#include "chart/wheel.h"
#include "common/error.h"

namespace korv::cli {

int RunWheel(int argc, char** argv) {
    const Args args(argc, argv, kBirthFlags);
    std::set<std::string> known = kBirthOptions;
    known.insert({"--out", "--dir"});
    args.allowOnly(known);
    if (!args.has("--out")) throw Error("Give the picture file: --out FILE.bmp or --out FILE.png");
    const std::filesystem::path out = args.value("--out");
    std::string ext = out.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".bmp" && ext != ".png") throw Error("--out: the picture must be a .bmp or .png file");

    const ProgramFolders folders = FoldersFromArgs(args);

    TInData birth = BirthRecordFromArgs(args, true);
    PlutoTable pluto(folders.SysDir / "pluto.sys");
    EngineState state;
    ChartRecord chart;
    ComputeChart(birth, chart, state, pluto);

    OffscreenGuiApplication app("korvinaut-cli");
    InstallDrawingFonts(folders);
    const QImage background = LoadPicture(folders.images() / "04.bmp");
    SaveWheelImage(RenderChartWheel(chart, kChartPictureWidth, kChartPictureHeight, background), out);
    std::printf("%s\n", out.string().c_str());
    return 0;
}

}  // namespace korv::cli

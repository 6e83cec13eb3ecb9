// korvinaut-cli: the command-line front end of the same core the desktop program uses.
// Terminal text is UTF-8; the core's Windows-1251 text is converted on the way out.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/cli/commands.h"
#include "common/error.h"

namespace {

const char* kUsage =
    "Usage: korvinaut-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  convert   Build the birth record from birth data and print every field and the moment\n"
    "  places    List the atlas regions; --region R its countries; --region R --country C its cities\n"
    "  add-city  Add a city: --region R --country C --name N --lat DD MM N|S --lon DDD MM E|W\n"
    "  chart     Compute the chart for the birth data (place required): bodies, cusps, aspects\n"
    "  bench     Time complete chart computations: --count N (50000), --seed S, --dir DIR\n"
    "  report    Compute the chart, draw the wheel and write the horoscope into DIR/Output:\n"
    "            horoscop.html and Horoscop.zip (--dir DIR; --example for a built-in person)\n"
    "  check-library [DIR]  Check the interpretation library (default: System): format\n"
    "            errors and the keys present out of those the report can ask for\n"
    "  bench-report  Time the example report 20 times (--runs N, --dir DIR), print the median\n"
    "  wheel     Draw the chart wheel (place required) into --out FILE.bmp|.png, 777 x 626,\n"
    "            with System/pluto.sys, Images/04.bmp and Astro3.ttf from --dir DIR\n"
    "\n"
    "Birth data options:\n"
    "  --name TEXT            person's name (up to 40 characters)\n"
    "  --sex M|F              man or woman (default M)\n"
    "  --date DD.MM.YYYY      local birth date; years -999..3000 (-1 is 1 BC)\n"
    "  --time HH:MM[:SS]      local clock time\n"
    "  --zone HOURS           standard time zone, hours east of Greenwich (Moscow 3, New York -5)\n"
    "  --summer               summer (daylight-saving) time was in force\n"
    "  --no-summer            it was not (for an atlas place whose history says otherwise)\n"
    "  --coords TEXT          coordinate text as stored in the birth record (19 characters)\n"
    "  --lat DEG --lon DEG    or decimal degrees, north and east positive\n"
    "  --city TEXT            place name to record (up to 25 characters)\n"
    "  --line TEXT            or a whole 123-column birth line\n"
    "  --region R --country C --city N   or the place from the atlas in DIR/System (--dir):\n"
    "                         coordinates, and the zone and summer time at the birth moment\n"
    "                         from the city's zone history (--zone replaces both, --summer or\n"
    "                         --no-summer the summer time); R is sng, europa, namerica,\n"
    "                         samerica, africa, azia or austral\n"
    "  --json                 print JSON instead of text\n"
    "  --dir PROGRAM_FOLDER   the program folder whose System/, Images/ and Astro3.ttf are used\n"
    "                         (default: the working directory)\n"
    "\n"
    "  --help, --version\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kUsage, stdout);
        return argc < 2 ? 2 : 0;
    }
    if (!std::strcmp(argv[1], "--version")) {
        std::printf("korvinaut-cli (Korvinaut 7) %s\n", KORVINAUT_VERSION);
        return 0;
    }
    const std::string command = argv[1];
    try {
        if (command == "convert") return korv::cli::RunConvert(argc, argv);
        if (command == "places") return korv::cli::RunPlaces(argc, argv);
        if (command == "add-city") return korv::cli::RunAddCity(argc, argv);
        if (command == "chart") return korv::cli::RunChart(argc, argv);
        if (command == "bench") return korv::cli::RunBench(argc, argv);
        if (command == "report") return korv::cli::RunReportCommand(argc, argv);
        if (command == "check-library") return korv::cli::RunCheckLibrary(argc, argv);
        if (command == "bench-report") return korv::cli::RunBenchReport(argc, argv);
        if (command == "wheel") return korv::cli::RunWheel(argc, argv);
        std::fprintf(stderr, "korvinaut-cli: unknown command '%s' (see --help)\n", command.c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvinaut-cli: %s\n", e.what());
        return 1;
    }
}

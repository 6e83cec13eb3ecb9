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
    "\n"
    "Birth data options:\n"
    "  --name TEXT            person's name (up to 40 characters)\n"
    "  --sex M|F              man or woman (default M)\n"
    "  --date DD.MM.YYYY      local birth date; years -999..3000 (-1 is 1 BC)\n"
    "  --time HH:MM[:SS]      local clock time\n"
    "  --zone HOURS           standard time zone, hours east of Greenwich (Moscow 3, New York -5)\n"
    "  --summer               summer (daylight-saving) time was in force\n"
    "  --coords TEXT          coordinate text as stored in the birth record (19 characters)\n"
    "  --lat DEG --lon DEG    or decimal degrees, north and east positive\n"
    "  --city TEXT            place name to record (up to 25 characters)\n"
    "  --line TEXT            or a whole 123-column birth line\n"
    "  --json                 print JSON instead of text\n"
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
        std::fprintf(stderr, "korvinaut-cli: unknown command '%s' (see --help)\n", command.c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvinaut-cli: %s\n", e.what());
        return 1;
    }
}

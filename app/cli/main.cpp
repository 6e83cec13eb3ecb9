// korvinaut-cli: the command-line front end of the same core the desktop program uses.
// Terminal text is UTF-8; the core's Windows-1251 text is converted on the way out.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/help_texts.h"
#include "common/error.h"


int main(int argc, char** argv) {
    using korv::cli::kUsage;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kUsage, stdout);
        return argc < 2 ? 2 : 0;
    }
    // `COMMAND --help` anywhere on the line: that command's options, nothing run.
    if (const char* help = korv::cli::CommandHelp(argv[1]))
        for (int i = 2; i < argc; ++i)
            if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
                std::fputs(help, stdout);
                return 0;
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
        if (command == "batch") return korv::cli::RunBatch(argc, argv);
        if (command == "prepare-folder") return korv::cli::RunPrepareFolder(argc, argv);
        std::fprintf(stderr, "korvinaut-cli: unknown command '%s' (see --help)\n", command.c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvinaut-cli: %s\n", e.what());
        return 1;
    }
}

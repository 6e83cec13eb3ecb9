// `korvinaut-cli check-library [DIR]`: checks the interpretation library under DIR (the
// program's System folder; default System in the working directory). Prints, per folder
// and file, how many of the keys the report can ask for the file holds, then every
// format error with its file and line. Exit code 1 when there are errors.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/cli/commands.h"
#include "common/error.h"
#include "report/library_check.h"

namespace korv::cli {

int RunCheckLibrary(int argc, char** argv) {
    std::filesystem::path dir = "System";
    for (int i = 2; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0 || i > 2)
            throw Error(std::string("check-library: unexpected argument ") + argv[i] + " (usage: check-library [DIR])");
        dir = argv[i];
    }
    const LibraryReport report = CheckLibrary(dir);

    std::size_t askable = 0, present = 0, keyedFiles = 0, pages = 0, pagesPresent = 0;
    std::string folder;
    for (const FileCoverage& f : report.files) {
        if (f.folder != folder) {
            folder = f.folder;
            std::printf("%s\n", folder.c_str());
        }
        std::string status;
        if (f.wholeCopy) {
            ++pages;
            pagesPresent += f.exists;
            status = f.exists ? "page" : "page MISSING";
        } else {
            ++keyedFiles;
            askable += f.askable;
            present += f.present;
            if (!f.exists) status = "missing (" + std::to_string(f.askable) + " keys asked)";
            else if (f.askable == 0) status = "not read by the report";
            else status = std::to_string(f.present) + " of " + std::to_string(f.askable) + " keys";
            if (f.unused > 0) status += ", " + std::to_string(f.unused) + " keys the report never asks for";
            if (f.impossible > 0)
                status += ", " + std::to_string(f.impossible) + " aspects that cannot occur (never asked)";
        }
        std::printf("  %-16s %s\n", f.name.c_str(), status.c_str());
    }
    for (const LibraryProblem& p : report.errors) std::printf("ERROR %s\n", ProblemText(p).c_str());
    std::printf("\nAspect files are not asked for the Sun with Mercury or Venus other than in conjunction,\n"
                "nor for Mercury with Venus other than in conjunction or sextile: those aspects cannot occur.\n");
    std::printf("\n%zu of %zu pages present; %zu of %zu keys that the report can ask for present in %zu keyed files; "
                "%zu error%s\n",
                pagesPresent, pages, present, askable, keyedFiles, report.errors.size(),
                report.errors.size() == 1 ? "" : "s");
    return report.errors.empty() ? 0 : 1;
}

}  // namespace korv::cli

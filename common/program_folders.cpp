#include "common/program_folders.h"

namespace korv {

ProgramFolders ProgramFolders::at(const std::filesystem::path& mainDir) {
    ProgramFolders f;
    f.MainDir = mainDir;
    f.SysDir = mainDir / "System";
    f.OutputDir = mainDir / "Output";
    return f;
}

ProgramFolders ProgramFolders::fromWorkingDirectory() { return at(std::filesystem::current_path()); }

}  // namespace korv

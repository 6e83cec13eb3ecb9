// The program folder: every file is found relative to MainDir, the working directory
// at start-up (the program is started with its own folder as the working directory).
#pragma once

#include <filesystem>

namespace korv {

struct ProgramFolders {
    std::filesystem::path MainDir;    // the program folder
    std::filesystem::path SysDir;     // MainDir / "System"
    std::filesystem::path OutputDir;  // MainDir / "Output", or a folder of its own (batch reports)

    // The folders of a program folder given explicitly (tests, --dir of the tool).
    static ProgramFolders at(const std::filesystem::path& mainDir);
    // The folders of the current working directory.
    static ProgramFolders fromWorkingDirectory();

    std::filesystem::path output() const { return OutputDir; }
    std::filesystem::path images() const { return MainDir / "Images"; }
};

}  // namespace korv

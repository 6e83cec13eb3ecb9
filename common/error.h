// The one exception type of the program. Its message is UTF-8 text meant for the
// user: the window shows it in a message box, the command-line tool prints it.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace korv {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// "File not found: System/pluto.sys" and the like: names the file and the cause.
[[noreturn]] void throwFileError(const std::string& cause, const std::filesystem::path& file);

// Path shown in messages: relative to the working directory when it lies below it,
// so the user sees "System/set.dat" rather than a long absolute path.
std::string displayPath(const std::filesystem::path& file);

}  // namespace korv

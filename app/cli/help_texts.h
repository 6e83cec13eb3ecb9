// The usage texts of korvinaut-cli: the whole tool's and each command's own
// (`korvinaut-cli COMMAND --help`).
#pragma once

#include <string>

namespace korv::cli {

extern const char* const kUsage;
// The help of one command, or nullptr for an unknown command.
const char* CommandHelp(const std::string& command);

}  // namespace korv::cli

// The commands of korvinaut-cli. Each returns the process exit code; errors are
// thrown as korv::Error and reported by main.
#pragma once

namespace korv::cli {

int RunConvert(int argc, char** argv);

}  // namespace korv::cli

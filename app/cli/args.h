// A small command-line parser: `korvinaut-cli COMMAND [--option value | --flag]...`.
// Values arrive as UTF-8; the commands convert what goes into the core.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace korv::cli {

class Args {
public:
    // `flags` are options without a value; `multi` options take `multiCount` values.
    Args(int argc, char** argv, const std::set<std::string>& flags,
         const std::map<std::string, int>& multi = {});
    // Options given otherwise than on the command line (a row of a batch file), as if
    // they had been: a flag has no values.
    static Args fromOptions(std::string command, std::map<std::string, std::vector<std::string>> options);

    const std::string& command() const { return command_; }
    bool has(const std::string& option) const;
    std::string value(const std::string& option, const std::string& fallback = "") const;
    // The values of an option that takes several ("--lat 55 45 N").
    std::vector<std::string> values(const std::string& option) const;
    // Raises an error naming any option not in `known`.
    void allowOnly(const std::set<std::string>& known) const;

private:
    Args() = default;
    std::string command_;
    std::map<std::string, std::vector<std::string>> options_;
};

}  // namespace korv::cli

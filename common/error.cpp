#include "common/error.h"

#include <system_error>

namespace korv {

std::string displayPath(const std::filesystem::path& file) {
    std::error_code ec;
    const auto cwd = std::filesystem::current_path(ec);
    if (!ec && file.is_absolute()) {
        const auto rel = file.lexically_relative(cwd);
        if (!rel.empty() && *rel.begin() != "..") return rel.generic_string();
    }
    return file.generic_string();
}

void throwFileError(const std::string& cause, const std::filesystem::path& file) {
    throw Error(cause + ": " + displayPath(file));
}

}  // namespace korv

// Shared pieces of the fuzz harnesses: a private scratch folder per process (libFuzzer
// may run several jobs at once) and writing the input to a file there.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace korv::fuzz {

inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path dir = [] {
        const char* tmp = std::getenv("TMPDIR");
        auto d = std::filesystem::path(tmp ? tmp : "/tmp") / ("korvinaut-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline std::filesystem::path writeScratch(const std::string& name, const std::string& bytes) {
    const auto path = scratchFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

inline std::string bytesOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The harness's own invariant failed: stop with a message libFuzzer keeps with the input.
[[noreturn]] inline void broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace korv::fuzz

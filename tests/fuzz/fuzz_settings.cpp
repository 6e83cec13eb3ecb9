// System/set.dat: any file either reads or raises an error naming the file.
#include "common/error.h"
#include "common/settings.h"
#include "fuzz_support.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::writeScratch("set.dat", fuzz::bytesOf(data, size));
    try {
        (void)ReadSettings(file);
    } catch (const Error& e) {
        if (std::string(e.what()).find("set.dat") == std::string::npos) fuzz::broken("a settings error without the file's name");
    }
    return 0;
}

// The Pluto table: any file is read or refused; a table that is read gives whole
// degrees 0..359 that step by at most one degree a line.
#include "astro/pluto.h"
#include "common/error.h"
#include "fuzz_support.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::writeScratch("pluto.sys", fuzz::bytesOf(data, size));
    PlutoTable table(file, 1);
    try {
        table.refresh();
    } catch (const Error&) {
        return 0;
    }
    std::optional<int> previous;
    for (long long n = 1;; ++n) {
        const std::optional<int> v = table.lineValue(n);
        if (!v) break;
        if (*v < 0 || *v > 359) fuzz::broken("a value outside 0..359");
        if (previous && (*v - *previous + 360) % 360 > 1 && (*v - *previous + 360) % 360 < 359)
            fuzz::broken("a jump of more than a degree");
        previous = v;
    }
    if (!table.lineValue(1)) fuzz::broken("a read table without its first line");
    return 0;
}

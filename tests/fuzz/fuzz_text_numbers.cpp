// Number parsing and text conversion: no input crashes them; every byte survives the
// Windows-1251 round trip; text accepted for a field holds no control character, fits
// its width and converts back to the same UTF-8.
#include <cmath>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"
#include "fuzz_support.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::bytesOf(data, size);
    try {
        (void)parseInt(bytes, "fuzz");
    } catch (const Error&) {
    }
    try {
        const double x = parseFloat(bytes, "fuzz");
        if (!std::isfinite(x)) fuzz::broken("parseFloat accepted a value that is not finite");
    } catch (const Error&) {
    }
    if (utf8ToCp1251(cp1251ToUtf8(bytes)) != bytes) fuzz::broken("a Windows-1251 byte lost in the round trip");
    try {
        const std::string text = userTextToCp1251(bytes, "fuzz", 40);
        if (hasControlCharacters(text) || text.size() > 40) fuzz::broken("a refused text was accepted");
        if (cp1251ToUtf8(text) != bytes) fuzz::broken("accepted text does not convert back to the same UTF-8");
    } catch (const Error&) {
    }
    (void)cutColumns(bytes, 3, 9);
    (void)trimBlanks(bytes);
    return 0;
}

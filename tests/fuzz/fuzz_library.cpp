// A keyed library file: the lookup and the checker never crash; every key the lookup
// indexes is found, with a text that holds no "@" and never runs into a later key line.
#include <set>

#include "common/error.h"
#include "fuzz_support.h"
#include "report/library.h"
#include "report/library_check.h"

using namespace korv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = fuzz::bytesOf(data, size);
    const LibraryFile lib = LibraryFile::fromBytes(bytes, "Text_01/A_P1.doc");
    for (const LibraryFile::KeyLine& kl : lib.keyLines()) {
        if (!kl.key) continue;
        const std::optional<std::string> text = lib.find(*kl.key);
        if (!text) fuzz::broken("an indexed key is not found");
        if (text->size() > kMaxFragmentChars) fuzz::broken("a text longer than the limit");
        if (text->find('@') != std::string::npos) fuzz::broken("a text holds its \"@\"");
    }
    std::set<FragmentKey> keys;
    (void)CheckKeyedFile("Text_01/A_P1.doc", bytes, keys);
    for (const FragmentKey& k : keys)
        if (!lib.find(k)) fuzz::broken("the checker lists a key the lookup does not find");
    return 0;
}

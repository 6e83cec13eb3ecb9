#include "report/library.h"

#include <algorithm>
#include <system_error>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv {

std::string KeyText(const FragmentKey& k) {
    return "(" + std::to_string(k.house) + ", " + std::to_string(k.sign) + ", " + std::to_string(k.planet) +
           ", " + std::to_string(k.angle) + ", " + std::to_string(k.almutenHouse) + ", " +
           std::to_string(k.spare) + ", " + std::to_string(k.partner) + ")";
}

FragmentKey ParseKeyLine(std::string_view line, const std::string& where) {
    auto field = [&](std::size_t first) { return parseInt(cutColumns(line, first, first + 2), where); };
    FragmentKey k;
    k.house = field(3);
    k.sign = field(7);
    k.planet = field(11);
    k.angle = field(15);
    k.almutenHouse = field(19);
    k.spare = field(23);
    k.partner = field(27);
    return k;
}

LibraryFile LibraryFile::read(const std::filesystem::path& file) {
    return fromBytes(readFileBytes(file), file);
}

LibraryFile LibraryFile::fromBytes(std::string bytes, const std::filesystem::path& file) {
    LibraryFile lib;
    lib.bytes_ = std::move(bytes);
    const std::string& b = lib.bytes_;
    const std::string name = displayPath(file);
    int lineNumber = 0;
    for (std::size_t start = 0; start < b.size();) {
        ++lineNumber;
        std::size_t end = b.find('\n', start);
        const std::size_t next = end == std::string::npos ? b.size() : end + 1;
        if (end == std::string::npos) end = b.size();
        if (b[start] == '*') {
            std::size_t contentEnd = end;
            if (end < b.size() && contentEnd > start && b[contentEnd - 1] == '\r') --contentEnd;
            const std::string_view line(b.data() + start, std::min(contentEnd - start, kMaxKeyLineChars));
            KeyLine kl;
            kl.lineNumber = lineNumber;
            kl.textBegin = next;
            try {
                kl.key = ParseKeyLine(line, name + ", line " + std::to_string(lineNumber));
            } catch (const Error& e) {
                kl.error = e.what();
            }
            lib.keyLines_.push_back(std::move(kl));
        }
        start = next;
    }
    return lib;
}

std::size_t LibraryFile::textEnd(std::size_t textBegin) const {
    const std::size_t at = bytes_.find('@', textBegin);
    return at == std::string::npos ? bytes_.size() : at;
}

std::optional<std::string> LibraryFile::find(const FragmentKey& key) const {
    for (const KeyLine& kl : keyLines_) {
        if (!kl.key) throw Error(kl.error);
        if (*kl.key != key) continue;
        const std::size_t end = std::min(textEnd(kl.textBegin), kl.textBegin + kMaxFragmentChars);
        return bytes_.substr(kl.textBegin, end - kl.textBegin);
    }
    return std::nullopt;
}

const LibraryFile* FragmentLibrary::file(const std::filesystem::path& file) {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto it = files_.find(file);
    if (it == files_.end()) {
        std::error_code ec;
        std::unique_ptr<LibraryFile> lib;
        if (std::filesystem::is_regular_file(file, ec)) lib = std::make_unique<LibraryFile>(LibraryFile::read(file));
        it = files_.emplace(file, std::move(lib)).first;
    }
    return it->second.get();
}

std::optional<std::string> FragmentLibrary::find(const std::filesystem::path& path, const FragmentKey& key) {
    const LibraryFile* lib = file(path);
    if (!lib) return std::nullopt;
    return lib->find(key);
}

}  // namespace korv

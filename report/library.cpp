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
    constexpr int kFields = 7;
    std::string texts[kFields];
    int present = 0;  // fields up to the last one that holds anything
    for (int i = 0; i < kFields; ++i) {
        texts[i] = cutColumns(line, 3 + 4 * static_cast<std::size_t>(i), 5 + 4 * static_cast<std::size_t>(i));
        if (!trimBlanks(texts[i]).empty()) present = i + 1;
    }
    const std::string prefix = where.empty() ? std::string() : where + ": ";
    std::int32_t values[kFields] = {};
    for (int i = 0; i < present; ++i) {
        try {
            values[i] = parseInt(texts[i]);
        } catch (const Error&) {
            if (i == 0)
                throw Error(prefix + "the line begins with \"*\" but is no key line (a text line must not begin with \"*\")");
            throw Error(prefix + "number " + std::to_string(i + 1) + " of the key line ('" + cp1251ToUtf8(texts[i]) +
                        "') is not a whole number");
        }
    }
    if (present < kFields)
        throw Error(prefix + "the key line has " + std::to_string(present) + " number" + (present == 1 ? "" : "s") +
                    ", " + std::to_string(kFields) + " expected");
    return {values[0], values[1], values[2], values[3], values[4], values[5], values[6]};
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
            kl.lineBegin = start;
            kl.textBegin = next;
            try {
                kl.key = ParseKeyLine(line, name + ", line " + std::to_string(lineNumber));
            } catch (const Error& e) {
                // Not a key line (a damaged one, or a text line beginning with "*"): the
                // lookups pass over it, and the report run lists it.
                kl.error = e.what();
                lib.problems_.push_back(kl.error);
            }
            lib.keyLines_.push_back(std::move(kl));
        }
        start = next;
    }
    // Where each fragment ends: at its "@", or, when the "@" is missing, before the next
    // key line (so a lost "@" does not pour the next key lines into the report).
    for (std::size_t i = 0; i < lib.keyLines_.size(); ++i) {
        KeyLine& kl = lib.keyLines_[i];
        if (!kl.key) continue;
        std::size_t nextKey = b.size();
        for (std::size_t j = i + 1; j < lib.keyLines_.size(); ++j)
            if (lib.keyLines_[j].key) {
                nextKey = lib.keyLines_[j].lineBegin;
                break;
            }
        const std::size_t at = b.find('@', kl.textBegin);
        if (at != std::string::npos && at < nextKey) {
            kl.textEnd = at;
            continue;
        }
        kl.textEnd = nextKey;
        lib.problems_.push_back(name + ", line " + std::to_string(kl.lineNumber) + ": the fragment " + KeyText(*kl.key) +
                                " has no closing \"@\"; it ends " +
                                (nextKey < b.size() ? "before the next key line" : "at the end of the file"));
    }
    return lib;
}

std::optional<std::string> LibraryFile::find(const FragmentKey& key) const {
    for (const KeyLine& kl : keyLines_) {
        if (!kl.key || *kl.key != key) continue;
        const std::size_t end = std::min(kl.textEnd, kl.textBegin + kMaxFragmentChars);
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

std::vector<std::string> FragmentLibrary::problems() {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> all;
    for (const auto& [path, lib] : files_)
        if (lib) all.insert(all.end(), lib->problems().begin(), lib->problems().end());
    return all;
}

std::optional<std::string> FragmentLibrary::find(const std::filesystem::path& path, const FragmentKey& key) {
    const LibraryFile* lib = file(path);
    if (!lib) return std::nullopt;
    return lib->find(key);
}

}  // namespace korv

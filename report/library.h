// The interpretation library: keyed fragment files under System/Text_NN. A keyed file
// is a run of fragments, each introduced by a key line
//     *?HHH?SSS?PPP?AAA?MMM?000?RRR
// ("*" in column 1, any separator, seven three-column integers in columns 3-5, 7-9, ...
// 27-29) and running from the next line up to the first "@". Lines that do not begin
// with "*" are passed over by the search, including the lines of fragment texts.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace korv {

// The seven integers that select a fragment. Fields a file kind does not use are 0.
struct FragmentKey {
    std::int32_t house = 0;         // 1..12 or 0
    std::int32_t sign = 0;          // 1..12 or 0: cusp sign or the planet's sign
    std::int32_t planet = 0;        // 1..10 or 0
    std::int32_t angle = 0;         // aspect files: 0, 60, 90, 120, 180; others: affliction mark 0 or 50
    std::int32_t almutenHouse = 0;  // almuten files: the house the almuten stands in
    std::int32_t spare = 0;         // always 0
    std::int32_t partner = 0;       // aspect files: the second planet

    friend auto operator<=>(const FragmentKey&, const FragmentKey&) = default;
};

// "(1, 5, 0, 0, 0, 0, 0)".
std::string KeyText(const FragmentKey& key);

constexpr std::size_t kMaxFragmentChars = 10000;  // a longer text is cut here
constexpr std::size_t kMaxKeyLineChars = 255;     // the search looks no further into a line

// One keyed file read into memory. The search result is the same as a scan from the top
// that stops at the first matching key line. A line that begins with "*" but does not
// convert is no key line: lookups pass over it, and it is listed among the file's
// problems, as is a fragment without its closing "@".
class LibraryFile {
public:
    struct KeyLine {
        int lineNumber = 0;          // 1-based
        std::optional<FragmentKey> key;
        std::string error;           // when the fields do not convert: names file and line
        std::size_t lineBegin = 0;   // byte offset of the key line
        std::size_t textBegin = 0;   // byte offset of the line after the key line
        std::size_t textEnd = 0;     // the fragment's "@", or the next key line when it lacks one
    };

    // Reads and indexes the file; raises korv::Error when it cannot be read.
    static LibraryFile read(const std::filesystem::path& file);
    // Indexes bytes already in memory; `file` is the name used in error messages.
    static LibraryFile fromBytes(std::string bytes, const std::filesystem::path& file);

    // The text of the first fragment with this key, without its "@": it ends at the
    // first "@" after its key line, before the next key line when the "@" is missing, at
    // the end of the file, or after kMaxFragmentChars.
    std::optional<std::string> find(const FragmentKey& key) const;

    const std::vector<KeyLine>& keyLines() const { return keyLines_; }
    const std::string& bytes() const { return bytes_; }
    // Damaged key lines and fragments without "@", each naming the file and the line.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    std::string bytes_;
    std::vector<KeyLine> keyLines_;
    std::vector<std::string> problems_;
};

// Parses columns 3-29 of a key line. A line with fewer than seven numbers or a field
// that is not a whole number raises korv::Error saying which ("the key line has 6
// numbers, 7 expected"), prefixed by `where` ("System/Text_01/Al_1.txt, line 7").
FragmentKey ParseKeyLine(std::string_view line, const std::string& where);

// The keyed files of one report run, or of many (batch reports share one). Each file is
// read once and kept until the library object goes away; a missing file stays missing.
// Several threads may look up fragments at once: a read file never changes.
class FragmentLibrary {
public:
    // Nothing when the file does not exist or holds no fragment with the key.
    std::optional<std::string> find(const std::filesystem::path& file, const FragmentKey& key);
    // The file, or null when it does not exist.
    const LibraryFile* file(const std::filesystem::path& file);
    // The problems of every file read so far (LibraryFile::problems), for the report run
    // to list as warnings.
    std::vector<std::string> problems();

private:
    std::mutex mutex_;  // guards files_; the LibraryFile objects themselves are read-only
    std::map<std::filesystem::path, std::unique_ptr<LibraryFile>> files_;
};

}  // namespace korv

// Text as the program keeps it: Windows-1251 bytes, one byte per character, so the
// fixed columns of the data files are byte positions. UTF-8 appears only where text
// meets Qt or the terminal; these functions are the crossing.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// Windows-1251 -> UTF-8. Every byte has a character (0x98, unassigned, maps to the
// control character U+0098, so every byte survives the round trip).
std::string cp1251ToUtf8(std::string_view cp1251);

// UTF-8 -> Windows-1251. Characters the code page lacks become '?' ; malformed
// UTF-8 bytes too. Use isCp1251Representable to refuse such input instead.
std::string utf8ToCp1251(std::string_view utf8);
bool isCp1251Representable(std::string_view utf8);
// True when the text holds a control character (below 0x20, or 0x7F): such a character
// in a name would break the line structure of the data files.
bool hasControlCharacters(std::string_view text);
// Text a user typed (UTF-8) for a field of the data files, in Windows-1251. Malformed
// UTF-8, characters the code page lacks, control characters and more than `maxChars`
// characters raise korv::Error with a message naming `field`.
std::string userTextToCp1251(std::string_view utf8, std::string_view field, std::size_t maxChars);

// Literal Russian text in the sources is UTF-8; this gives its Windows-1251 bytes.
inline std::string cp(std::string_view utf8) { return utf8ToCp1251(utf8); }

// 1-based, inclusive column cut like the fixed-column formats describe it: a field
// that the text does not reach comes out shorter or empty.
std::string cutColumns(std::string_view text, std::size_t first, std::size_t last);
// The first `count` characters from 1-based column `first`.
std::string cutWidth(std::string_view text, std::size_t first, std::size_t count);

// Blank padding to a fixed width; longer text is cut to the width.
std::string padRight(std::string_view text, std::size_t width);
std::string padLeft(std::string_view text, std::size_t width);
std::string trimBlanks(std::string_view text);

// Reads a text file line by line; lines end with CR LF or LF (a lone CR stays in the line).
class LineReader {
public:
    explicit LineReader(const std::filesystem::path& file);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Next line into `line` (at most `maxChars` characters of it are kept; the rest of
    // the line is skipped). False at the end of the file.
    bool next(std::string& line, std::size_t maxChars = std::string::npos);
    // Number of the line that `next` returned last, 1-based.
    int lineNumber() const { return lineNumber_; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    int lineNumber_ = 0;
};

// Whole file as lines (CR LF or LF).
std::vector<std::string> readLines(const std::filesystem::path& file);
// Whole file as bytes.
std::string readFileBytes(const std::filesystem::path& file);

// Writes lines ended by CR LF; errors raise korv::Error naming the file.
class LineWriter {
public:
    enum class Mode { Create, Append };
    LineWriter(const std::filesystem::path& file, Mode mode = Mode::Create);
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void line(std::string_view text);   // text + CR LF
    void write(std::string_view text);  // text as it is
    void close();                       // flushes and reports a failed write

private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
};

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace korv

#include "common/text.h"

#include <array>
#include <cerrno>
#include <cstring>

#include "common/error.h"

namespace korv {
namespace {

// Unicode code points of bytes 0x80..0xFF. 0x98 has no character in the code page;
// like Windows we map it to the C1 control U+0098 so every byte survives a round trip.
constexpr std::array<char32_t, 64> kHigh80 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char32_t codePointOf(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);  // А..я in alphabetical order
    return kHigh80[byte - 0x80];
}

// -1 when the code page has no byte for the code point.
int byteOf(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
    for (std::size_t i = 0; i < kHigh80.size(); ++i)
        if (kHigh80[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns -1 (and advances one byte) when malformed.
long decodeUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || pos + extra >= s.size() + (extra == 0 ? 1 : 0)) {
        ++pos;
        return -1;
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if ((c & 0xC0) != 0x80) {
            ++pos;
            return -1;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms ("\xC0\x8A" for a line feed), surrogates and values beyond
    // U+10FFFF are malformed: a decoder that took them would let a control character
    // slip past the checks made on the decoded text.
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        ++pos;
        return -1;
    }
    pos += extra + 1;
    return static_cast<long>(cp);
}

}  // namespace

std::string cp1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const long cp = decodeUtf8(utf8, pos);
        const int b = cp < 0 ? -1 : byteOf(static_cast<char32_t>(cp));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool isCp1251Representable(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const long cp = decodeUtf8(utf8, pos);
        if (cp < 0 || byteOf(static_cast<char32_t>(cp)) < 0) return false;
    }
    return true;
}

std::string userTextToCp1251(std::string_view utf8, std::string_view field, std::size_t maxChars) {
    const std::string where(field);
    if (!isCp1251Representable(utf8))
        throw Error(where + ": '" + std::string(utf8) +
                    "' holds characters the program's files cannot store (only Russian and Latin "
                    "letters, digits and common signs; the files are Windows-1251)");
    std::string text = utf8ToCp1251(utf8);
    if (hasControlCharacters(text)) throw Error(where + ": the text holds control characters (line breaks, tabs)");
    if (text.size() > maxChars)
        throw Error(where + ": '" + std::string(utf8) + "' is " + std::to_string(text.size()) +
                    " characters long; at most " + std::to_string(maxChars) + " fit");
    return text;
}

bool hasControlCharacters(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

std::string cutColumns(std::string_view text, std::size_t first, std::size_t last) {
    if (last < first) return {};
    return cutWidth(text, first, last - first + 1);
}

std::string cutWidth(std::string_view text, std::size_t first, std::size_t count) {
    if (first == 0) first = 1;
    if (first > text.size()) return {};
    return std::string(text.substr(first - 1, count));
}

std::string padRight(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string padLeft(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text.substr(0, width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string trimBlanks(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

namespace {

[[noreturn]] void throwOpenError(const std::filesystem::path& file) {
    if (errno == ENOENT) throwFileError("File not found", file);
    throwFileError(std::string("Cannot open file (") + std::strerror(errno) + ")", file);
}

}  // namespace

LineReader::LineReader(const std::filesystem::path& file) : path_(file) {
    file_ = std::fopen(file.c_str(), "rb");
    if (!file_) throwOpenError(file);
}

LineReader::~LineReader() {
    if (file_) std::fclose(file_);
}

bool LineReader::next(std::string& line, std::size_t maxChars) {
    line.clear();
    int c = std::getc(file_);
    // getc gives EOF for a read error too (a folder in place of the file): only the
    // error flag tells them apart, and an error must not pass for the end of the file.
    if (c == EOF) {
        if (std::ferror(file_)) throwFileError("Read error", path_);
        return false;
    }
    std::size_t raw = 0;  // characters of the line, kept or not
    int previous = EOF;
    for (; c != EOF && c != '\n'; previous = c, c = std::getc(file_), ++raw)
        if (line.size() < maxChars || maxChars == std::string::npos) line += static_cast<char>(c);
    // Only a CR right before the LF ends the line; a CR that happens to be the last kept
    // character of a longer line is part of the text, whatever the number kept.
    if (c == '\n' && previous == '\r' && raw <= maxChars) line.pop_back();
    if (std::ferror(file_)) throwFileError("Read error", path_);
    ++lineNumber_;
    return true;
}

std::vector<std::string> readLines(const std::filesystem::path& file) {
    LineReader reader(file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) lines.push_back(line);
    return lines;
}

std::string readFileBytes(const std::filesystem::path& file) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) throwOpenError(file);
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) throwFileError("Read error", file);
    return bytes;
}

LineWriter::LineWriter(const std::filesystem::path& file, Mode mode) : path_(file) {
    file_ = std::fopen(file.c_str(), mode == Mode::Create ? "wb" : "ab");
    if (!file_) throwFileError(std::string("Cannot open file for writing (") + std::strerror(errno) + ")", file);
}

LineWriter::~LineWriter() {
    if (file_) std::fclose(file_);
}

void LineWriter::write(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) throwFileError("Write error", path_);
}

void LineWriter::line(std::string_view text) {
    write(text);
    write("\r\n");
}

void LineWriter::close() {
    if (!file_) return;
    const bool failed = std::fclose(file_) != 0;
    file_ = nullptr;
    if (failed) throwFileError("Write error", path_);
}

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    LineWriter writer(file);
    for (const auto& l : lines) writer.line(l);
    writer.close();
}

}  // namespace korv

// A reader for comma-separated tables as spreadsheets save them (RFC 4180): fields in
// double quotes may hold the separator, line breaks and doubled quotes; lines end with
// CR LF or LF; a UTF-8 byte order mark is skipped. The separator is the comma, or the
// semicolon when the first line holds semicolons and no comma (Russian spreadsheets).
#pragma once

#include <string>
#include <vector>

namespace korv::cli {

struct CsvRow {
    int line = 0;  // line of the file where the row starts (1-based)
    std::vector<std::string> fields;
};

// All rows, the header included; blank lines are skipped. An unclosed quote raises
// korv::Error naming `fileName` and the line where the field began.
std::vector<CsvRow> ParseCsv(const std::string& bytes, const std::string& fileName);

}  // namespace korv::cli

#include "app/cli/csv.h"

#include "common/error.h"

namespace korv::cli {

namespace {

char separatorOf(const std::string& text) {
    const std::string firstLine = text.substr(0, text.find('\n'));
    return firstLine.find(';') != std::string::npos && firstLine.find(',') == std::string::npos ? ';' : ',';
}

bool blank(const CsvRow& row) { return row.fields.size() == 1 && row.fields[0].empty(); }

}  // namespace

std::vector<CsvRow> ParseCsv(const std::string& bytes, const std::string& fileName) {
    const std::string text = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    const char sep = separatorOf(text);
    std::vector<CsvRow> rows;
    CsvRow row{1, {}};
    std::string field;
    int line = 1;
    std::size_t i = 0;
    auto endRow = [&](int nextLine) {
        row.fields.push_back(std::move(field));
        field.clear();
        if (!blank(row)) rows.push_back(std::move(row));
        row = CsvRow{nextLine, {}};
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' && field.empty()) {
            const int quoteLine = line;
            ++i;
            for (;;) {
                if (i >= text.size())
                    throw Error(fileName + ", line " + std::to_string(quoteLine) + ": a quoted field is never closed");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (text[i] == '\n') ++line;
                if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') field += text[i];
                ++i;
            }
            continue;  // text after the closing quote, up to the separator, joins the field
        }
        if (c == sep) {
            row.fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            ++line;
            endRow(line);
        } else if (c != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
            field += c;
        }
        ++i;
    }
    if (!field.empty() || !row.fields.empty()) endRow(line);
    return rows;
}

}  // namespace korv::cli

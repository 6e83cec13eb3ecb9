#include "report/html_text.h"

namespace korv {

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

void CopyWholeFile(const std::filesystem::path& source, LineWriter& out) {
    LineReader reader(source);
    std::string line;
    bool any = false;
    while (reader.next(line)) {
        out.line(line);
        any = true;
    }
    if (!any) out.line("");
}

}  // namespace korv

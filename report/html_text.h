// Small pieces of the report's HTML writing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/text.h"

namespace korv {

// User input (the person's name, the city) made safe inside HTML text and attribute
// values: & < > and " become entities; every other byte stays.
std::string EscapeHtml(std::string_view text);

// Copies a library page into a report file line by line, each line ended by CR LF, so
// an empty page still gives one empty line. A missing page raises "File not found".
void CopyWholeFile(const std::filesystem::path& source, LineWriter& out);

}  // namespace korv

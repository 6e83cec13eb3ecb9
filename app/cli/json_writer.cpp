#include "app/cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace korv::cli {

std::string formatNumber17(double number) {
    if (!std::isfinite(number)) return "null";
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 17);
    return std::string(buffer, r.ptr);
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ", ";
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(const std::string& name) {
    beforeValue();
    writeString(name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    beforeValue();
    out_ += formatNumber17(number);
    return *this;
}

JsonWriter& JsonWriter::value(int number) {
    beforeValue();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(const std::string& text) {
    beforeValue();
    writeString(text);
    return *this;
}

void JsonWriter::writeString(const std::string& text) {
    out_ += '"';
    for (unsigned char c : text) {
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (c < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\u%04x", c);
                    out_ += esc;
                } else {
                    out_ += static_cast<char>(c);
                }
        }
    }
    out_ += '"';
}

}  // namespace korv::cli

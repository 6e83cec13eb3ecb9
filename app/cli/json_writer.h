// Writes JSON text with numbers in 17 significant digits, so doubles survive the trip
// exactly. Strings are given in UTF-8.
#pragma once

#include <string>
#include <vector>

namespace korv::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(const std::string& name);
    JsonWriter& value(double number);
    JsonWriter& value(int number);
    JsonWriter& value(const std::string& text);
    JsonWriter& value(const char* text) { return value(std::string(text)); }

    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void writeString(const std::string& text);
    std::string out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

std::string formatNumber17(double number);

}  // namespace korv::cli

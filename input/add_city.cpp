#include "input/add_city.h"

#include <algorithm>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "input/atlas.h"

namespace korv {

const char* const kNotAllEnteredMessage = "   Не все данные введены !  ";

namespace {

bool entered(std::string_view text) { return text.size() >= 2; }

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only, `minLength`..`maxLength` of them, value at most `max`.
bool numberField(std::string_view text, std::size_t minLength, std::size_t maxLength, int max) {
    if (text.size() < minLength || text.size() > maxLength || !allDigits(text)) return false;
    return std::stoi(std::string(text)) <= max;
}

// Right-aligns without cutting: the texts are at most as long as their fields.
std::string alignRight(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

bool AllCityFieldsEntered(const NewCity& in) {
    return entered(in.name) && entered(in.latDegrees) && entered(in.latMinutes) && entered(in.lonDegrees) &&
           entered(in.lonMinutes);
}

std::string BuildCityLine(const NewCity& in) {
    std::string line = " " + in.name;
    if (line.size() < 31) line.resize(31, ' ');
    line += alignRight((in.south ? "-" : "") + in.latDegrees.substr(0, 2), 3);
    line += alignRight(in.latMinutes.substr(0, 2), 3);
    line += alignRight((in.west ? "-" : "") + in.lonDegrees.substr(0, 3), 5);
    line += alignRight(in.lonMinutes.substr(0, 2), 3);
    return line;
}

std::string CheckNewCity(const NewCity& in) {
    if (!AllCityFieldsEntered(in)) return kNotAllEnteredMessage;
    if (trimBlanks(in.name).empty()) return "Введите название города.";
    if (hasControlCharacters(in.name)) return "Название города содержит недопустимые символы.";
    if (in.name.size() > 30) return "Название города длиннее 30 символов.";
    if (!numberField(in.latDegrees, 2, 2, 89)) return "Широта: градусы — две цифры, от 00 до 89.";
    if (!numberField(in.latMinutes, 2, 2, 59)) return "Широта: минуты — две цифры, от 00 до 59.";
    if (!numberField(in.lonDegrees, 2, 3, 179)) return "Долгота: градусы — две или три цифры, от 00 до 179.";
    if (!numberField(in.lonMinutes, 2, 2, 59)) return "Долгота: минуты — две цифры, от 00 до 59.";
    return {};
}

void InsertCityLine(const std::filesystem::path& placeFile, std::string_view countryEntry,
                    std::string_view cityLine, const ReplaceHooks& hooks) {
    std::string key(countryEntry);
    if (!key.empty()) key[0] = '*';

    std::vector<std::string> lines;
    {
        LineReader reader(placeFile);
        std::string line;
        while (reader.next(line, kPlaceLineLength)) lines.push_back(line);
    }
    const auto country = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return std::string_view(l).substr(0, kPlaceEntryLength) == key;
    });
    if (country == lines.end())
        throw Error("Страна «" + cp1251ToUtf8(trimBlanks(countryEntry)) + "» не найдена в файле " +
                    displayPath(placeFile) +
                    ": файл изменился после того, как был прочитан список стран. Город не добавлен, файл не изменён.");
    lines.insert(country + 1, std::string(cityLine));

    std::string content;
    for (const std::string& l : lines) content += l + "\r\n";
    ReplaceFileContent(placeFile, content, hooks);
}

std::string AddCity(const std::filesystem::path& placeFile, std::string_view countryEntry, const NewCity& input,
                    const ReplaceHooks& hooks) {
    const std::string refusal = CheckNewCity(input);
    if (!refusal.empty()) throw Error(refusal);
    const std::string line = BuildCityLine(input);
    InsertCityLine(placeFile, countryEntry, line, hooks);
    return line;
}

}  // namespace korv

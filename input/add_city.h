// Adding a city to a place file, as the add-city dialog does: the city line is built
// from the dialog's texts and inserted directly after the chosen country's line; every
// other line is copied as its first 80 characters.
//
// Values that the house computation could not
// read back are refused before anything is written, the file is replaced atomically
// (a failure leaves the old file whole), and a country line no longer in the file
// stops the insertion with a message instead of writing anything.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "input/file_replace.h"

namespace korv {

// The texts of the dialog's five edits (Windows-1251) and its two hemisphere choices.
struct NewCity {
    std::string name;        // at most 30 characters
    std::string latDegrees;  // two digits, 00..89
    std::string latMinutes;  // two digits, 00..59
    bool south = false;      // " Южная" checked, else " Северная"
    std::string lonDegrees;  // two or three digits, 00..179
    std::string lonMinutes;  // two digits, 00..59
    bool west = false;       // " Западная" checked, else " Восточная"
};

// Shown when an edit holds fewer than two characters (UTF-8, blanks as shown).
extern const char* const kNotAllEnteredMessage;  // "   Не все данные введены !  "

// The dialog's "entered" flags, judged on the current texts when " Продолжить" is
// pressed: every edit holds at least two characters.
bool AllCityFieldsEntered(const NewCity& input);

// The 45-character city line from the texts as typed: blank, name padded to column
// 31, latitude degrees (first 2 characters, "-" in front when south) right-aligned in
// 32-34, blank, minutes 36-37, longitude degrees (first 3, "-" when west) right-aligned
// in 39-42 after a blank, blank, minutes 44-45.
std::string BuildCityLine(const NewCity& input);

// Empty when the values can be written; otherwise the message to show (UTF-8):
// kNotAllEnteredMessage first, then a blank or over-long name, degrees and minutes
// that are not digits or out of range (latitude 0-89, longitude 0-179, minutes 0-59).
std::string CheckNewCity(const NewCity& input);

// Inserts `cityLine` directly after the first line whose first 30 characters equal the
// country entry with "*" put back; the file is replaced atomically. A country no longer
// in the file raises korv::Error and leaves the file untouched.
void InsertCityLine(const std::filesystem::path& placeFile, std::string_view countryEntry,
                    std::string_view cityLine, const ReplaceHooks& hooks = {});

// CheckNewCity, BuildCityLine and InsertCityLine in one: a refusal raises korv::Error
// with CheckNewCity's message and writes nothing. Returns the line written.
std::string AddCity(const std::filesystem::path& placeFile, std::string_view countryEntry,
                    const NewCity& input, const ReplaceHooks& hooks = {});

}  // namespace korv

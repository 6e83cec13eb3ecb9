// The birth record: a person's birth data on its way from the input dialogs to the
// chart engine and the report. Its master copy is the 123-column birth line; every
// other field is derived from the line by ConvertBirthData. Text fields hold
// Windows-1251 bytes.
//
// Line columns (1-based): name 1-40, date 42-51 (DD.MM.YYYY), time 54-61 (HH:MM:SS),
// city 64-88, coordinates 92-110, zone 113-117, sex 120 ("M"/"F"), summer time 123
// ("L" in force, "Z" not); blanks between.
#pragma once

#include <cstdint>
#include <string>

namespace korv {

struct TInData {
    std::string line;       // the birth line, master copy
    std::string name;       // 40 characters, blank-padded
    std::string dateText;   // DD.MM.YYYY; a year below 0 is written "-NNN"
    std::string timeText;   // HH:MM:SS
    std::string zoneText;   // hours east, "%5.1f" ("  3.0", "-10.0")
    std::string coordText;  // 19 characters: longitude then latitude
    std::string sexCode;    // "M" or "F"
    std::string dstCode;    // "L" or "Z"
    std::string city;       // 25 characters, blank-padded
    std::int32_t day = 0, month = 0, year = 0;
    std::int32_t hour = 0, minute = 0, second = 0;
    double zoneHours = 0;
    double moment = 0;      // universal time, days since JD 2415020.0 (1899-12-31 12:00 UT)
};

constexpr std::size_t kBirthLineLength = 123;
constexpr int kMinYear = -999;  // four year characters: "-999" is the lowest that fits
constexpr int kMaxYear = 3000;

// The fields of the line as the dialogs gather them (Windows-1251 texts).
struct BirthLineFields {
    std::string name;       // padded or cut to 40
    std::string dateText;   // 10 characters
    std::string timeText;   // 8 characters
    std::string city;       // padded or cut to 25
    std::string coordText;  // 19 characters
    std::string zoneText;   // 5 characters
    std::string sexCode;    // "M" / "F"
    std::string dstCode;    // "L" / "Z"
};

// Assembles the 123-column line; every field is padded or cut to its width.
std::string AssembleBirthLine(const BirthLineFields& fields);

// "DD.MM.YYYY": day and month two digits, the year four digits zero-padded
// (45 -> "0045"), a negative year as "-" and three digits (-45 -> "-045").
std::string FormatDateText(int day, int month, int year);
// "HH:MM:SS".
std::string FormatTimeText(int hour, int minute, int second);
// Hours east as "%5.1f" ("  3.0", "-10.0", 5.75 -> "  5.8").
std::string FormatZoneText(double zoneHours);

// Derives every field of the record from its `line` and computes `moment`.
// A number field that does not convert raises korv::Error; the fields converted
// before it keep their new values. A line the dialogs could not have written is
// refused too, with a message naming the field and its columns: a date the calendar
// lacks, a year outside kMinYear..kMaxYear, a time outside 00:00:00..23:59:59, a zone
// outside -14..14 hours, a sex other than "M"/"F", a summer flag other than "L"/"Z",
// control characters in the name or city, a coordinate text that ParseCoordText
// refuses (a blank one is allowed: the moment needs no place).
void ConvertBirthData(TInData& record);

// Day, month, year, hour, minute and second of the record from its dateText and
// timeText (the first step of ConvertBirthData); a field that does not convert raises
// korv::Error naming it, and the fields read before it keep their new values.
void ReadDateAndTime(TInData& record);

// Days of `month` in `year` by the calendar DayNumber1900 counts with: Julian before
// 1582-10-15 (every fourth year leap, 1 BC = -1 included), Gregorian from then on.
int DaysInMonth(int month, int year);

// Days since JD 2415020.0 for a calendar date and clock time: Julian calendar before
// 1582-10-15, Gregorian from that day on. Years below 0 are historical (-1 = 1 BC).
// No calendar check: 31 April counts on to 1 May.
double DayNumber1900(std::int32_t day, std::int32_t month, std::int32_t year,
                     std::int32_t hour, std::int32_t minute, std::int32_t second);

}  // namespace korv

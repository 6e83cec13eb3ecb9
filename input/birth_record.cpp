#include "input/birth_record.h"

#include <cmath>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"
#include "input/coordinates.h"

namespace korv {

std::string AssembleBirthLine(const BirthLineFields& f) {
    std::string line;
    line.reserve(kBirthLineLength);
    line += padRight(f.name, 40) + " ";
    line += padRight(f.dateText, 10) + "  ";
    line += padRight(f.timeText, 8) + "  ";
    line += padRight(f.city, 25) + "   ";
    line += padRight(f.coordText, 19) + "  ";
    line += padRight(f.zoneText, 5) + "  ";
    line += padRight(f.sexCode, 1) + "  ";
    line += padRight(f.dstCode, 1);
    return line;
}

std::string FormatDateText(int day, int month, int year) {
    return zeroPadded(day, 2) + "." + zeroPadded(month, 2) + "." + zeroPadded(year, 4);
}

std::string FormatTimeText(int hour, int minute, int second) {
    return zeroPadded(hour, 2) + ":" + zeroPadded(minute, 2) + ":" + zeroPadded(second, 2);
}

std::string FormatZoneText(double zoneHours) {
    // Halves round away from zero (5.75 -> 5.8), whatever the binary value's rounding.
    const double tenths = std::round(zoneHours * 10.0);
    return padLeft(fixedText(tenths / 10.0, 1), 5);
}

namespace {

[[noreturn]] void badField(const char* columns, const char* field, const std::string& text, const std::string& why) {
    throw Error(std::string("Birth line, columns ") + columns + " (" + field + "): '" + cp1251ToUtf8(text) + "' " + why);
}

// The ranges a birth line must keep (the dialogs and the tool's options keep them).
void checkBirthRecord(const TInData& r) {
    if (hasControlCharacters(r.name)) badField("1-40", "name", r.name, "holds control characters");
    if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > DaysInMonth(r.month, r.year))
        badField("42-51", "date", r.dateText, "has no such day or month");
    if (r.year < kMinYear || r.year > kMaxYear)
        badField("42-51", "date", r.dateText,
                 "has a year outside " + std::to_string(kMinYear) + ".." + std::to_string(kMaxYear));
    if (r.hour < 0 || r.hour > 23 || r.minute < 0 || r.minute > 59 || r.second < 0 || r.second > 59)
        badField("54-61", "time", r.timeText, "is not a time of day 00:00:00..23:59:59");
    if (hasControlCharacters(r.city)) badField("64-88", "city", r.city, "holds control characters");
    if (r.coordText.find_first_not_of(' ') != std::string::npos)
        ParseCoordText(r.coordText, "Birth line, columns 92-110 (coordinates)");
    if (!(r.zoneHours >= -14 && r.zoneHours <= 14))
        badField("113-117", "zone", r.zoneText, "is outside -14..14 hours");
    if (r.sexCode != "M" && r.sexCode != "F") badField("120", "sex", r.sexCode, "is neither M nor F");
    if (r.dstCode != "L" && r.dstCode != "Z")
        badField("123", "summer time", r.dstCode, "is neither L (summer time) nor Z (standard time)");
}

}  // namespace

int DaysInMonth(int month, int year) {
    static constexpr int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month != 2) return kDays[month];
    const long long y = year < 0 ? year + 1 : year;  // astronomical numbering: 1 BC is 0
    const bool julian = year < 1582;                 // February 1582 is still Julian
    const bool leap = julian ? y % 4 == 0 : (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0));
    return leap ? 29 : 28;
}

void ReadDateAndTime(TInData& r) {
    r.day = parseInt(cutColumns(r.dateText, 1, 2), "Дата рождения (день)");
    r.month = parseInt(cutColumns(r.dateText, 4, 5), "Дата рождения (месяц)");
    r.year = parseInt(cutColumns(r.dateText, 7, 10), "Дата рождения (год)");
    r.hour = parseInt(cutColumns(r.timeText, 1, 2), "Время рождения (час)");
    r.minute = parseInt(cutColumns(r.timeText, 4, 5), "Время рождения (минуты)");
    r.second = parseInt(cutColumns(r.timeText, 7, 8), "Время рождения (секунды)");
}

void ConvertBirthData(TInData& r) {
    const std::string& line = r.line;
    r.name = cutColumns(line, 1, 40);
    r.dateText = cutColumns(line, 42, 51);
    r.timeText = cutColumns(line, 54, 61);
    r.city = cutColumns(line, 64, 88);
    r.coordText = cutColumns(line, 92, 110);
    r.zoneText = cutColumns(line, 113, 117);
    r.sexCode = cutColumns(line, 120, 120);
    r.dstCode = cutColumns(line, 123, 123);

    ReadDateAndTime(r);
    r.zoneHours = parseFloat(r.zoneText, "Часовой пояс");
    checkBirthRecord(r);

    // Computed in extended precision, then stored as a double.
    long double m = DayNumber1900(r.day, r.month, r.year, r.hour, r.minute, r.second);
    m -= static_cast<long double>(r.zoneHours) / 24;
    r.moment = static_cast<double>(m);
    if (r.dstCode == "L") r.moment = static_cast<double>(static_cast<long double>(r.moment) - 1.0L / 24);
}

double DayNumber1900(std::int32_t d, std::int32_t m, std::int32_t y,
                     std::int32_t h, std::int32_t mi, std::int32_t s) {
    // Historical years: -1 is 1 BC, astronomical year 0; an entered 0 is year 0 too.
    long long Y = y < 0 ? y + 1 : y;
    long long M = m;
    if (m < 3) {
        M = m + 12;
        Y -= 1;
    }
    long long B = 0;
    const bool gregorian = y > 1582 || (y == 1582 && m > 10) || (y == 1582 && m == 10 && d >= 15);
    if (gregorian) {
        const long long A = Y / 100;  // truncation toward zero
        B = 2 - A + A / 4;
    }
    const long double yearDays = Y >= 0 ? 365.25L * Y : 365.25L * Y - 0.75L;
    const double C = static_cast<double>(std::trunc(yearDays) - 694025);
    const long long D = static_cast<long long>(std::trunc(30.6001L * (M + 1)));
    const double T = static_cast<double>(d + h / 24.0L + mi / 1440.0L + s / 86400.0L);
    return static_cast<double>(B + static_cast<long double>(C) + D + static_cast<long double>(T) - 0.5L);
}

}  // namespace korv

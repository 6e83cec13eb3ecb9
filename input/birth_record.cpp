#include "input/birth_record.h"

#include <cmath>

#include "common/numbers.h"
#include "common/text.h"

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

    r.day = parseInt(cutColumns(r.dateText, 1, 2), "Дата рождения (день)");
    r.month = parseInt(cutColumns(r.dateText, 4, 5), "Дата рождения (месяц)");
    r.year = parseInt(cutColumns(r.dateText, 7, 10), "Дата рождения (год)");
    r.hour = parseInt(cutColumns(r.timeText, 1, 2), "Время рождения (час)");
    r.minute = parseInt(cutColumns(r.timeText, 4, 5), "Время рождения (минуты)");
    r.second = parseInt(cutColumns(r.timeText, 7, 8), "Время рождения (секунды)");
    r.zoneHours = parseFloat(r.zoneText, "Часовой пояс");

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

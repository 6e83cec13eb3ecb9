#include "input/birth_data_entry.h"

#include "common/error.h"
#include "common/text.h"

namespace korv {
namespace {

void checkRange(const char* what, int value, int low, int high) {
    if (value < low || value > high)
        throw Error(std::string(what) + " " + std::to_string(value) + " вне пределов от " + std::to_string(low) +
                    " до " + std::to_string(high));
}

}  // namespace

void ClearBirthRecord(TInData& record) {
    TInData empty;
    empty.line = std::move(record.line);
    record = std::move(empty);
}

void StoreBirthDialogValues(const BirthDialogValues& v, TInData& record) {
    checkRange("День", v.day, 1, 31);
    checkRange("Месяц", v.month, 1, 12);
    checkRange("Год", v.year, kMinYear, kMaxYear);
    checkRange("Час", v.hour, 0, 23);
    checkRange("Минуты", v.minute, 0, 59);
    if (hasControlCharacters(v.name)) throw Error("Имя содержит недопустимые символы.");
    record.dateText = FormatDateText(v.day, v.month, v.year);
    record.timeText = FormatTimeText(v.hour, v.minute, 0);
    record.dstCode = v.summerTime ? "L" : "Z";
    record.sexCode = v.woman ? "F" : "M";
    record.name = padRight(v.name, 40);
}

void ConfirmBirthData(TInData& record, BirthEntryFlags& flags) {
    flags.DataConfirmed = false;
    if (!flags.PlaceChosen) return;
    BirthLineFields f;
    f.name = record.name;
    f.dateText = record.dateText;
    f.timeText = record.timeText;
    f.city = record.city;
    f.coordText = record.coordText;
    f.zoneText = record.zoneText;
    f.sexCode = record.sexCode;
    f.dstCode = record.dstCode;
    record.line = AssembleBirthLine(f);
    ConvertBirthData(record);
    flags.DataConfirmed = true;
}

void WriteClientFile(const std::filesystem::path& sysDir, const TInData& record) {
    LineWriter writer(sysDir / kClientFileName);
    writer.line(record.line);
    writer.close();
}

namespace {

// "UT+3", "UT-10", "UT+5.8": the zone text without its padding and a needless ".0".
std::string utOffsetText(const std::string& zoneText) {
    std::string z = trimBlanks(zoneText);
    if (z.size() > 2 && z.compare(z.size() - 2, 2, ".0") == 0) z.resize(z.size() - 2);
    if (z.empty() || z == "-0") z = "0";
    return "UT" + std::string(z[0] == '-' ? "" : "+") + z;
}

}  // namespace

std::string SummerTimeQuestion(const ClockReading& atlas, bool boxTicked) {
    if (atlas.summer == boxTicked) return {};
    const std::string zone = utOffsetText(FormatZoneText(atlas.zoneHours));
    std::string text;
    if (atlas.localMeanTime)
        text = "По атласу поясного времени в месте рождения тогда ещё не было: часы шли по местному среднему "
               "времени (" + zone + "), без летнего времени. ";
    else if (atlas.summer)
        text = "По атласу в месте рождения в эти день и час действовало летнее время: часы на час впереди "
               "поясного времени " + zone + ". ";
    else
        text = "По атласу в месте рождения в эти день и час летнего времени не было: часы шли по поясному "
               "времени " + zone + ". ";
    text += boxTicked ? "А флажок «Летнее время» отмечен." : "А флажок «Летнее время» не отмечен.";
    if (atlas.change == ClockChangeCase::Repeated)
        text += "\n\nВ эту ночь часы переводили назад, и это время было на часах дважды. Атлас берёт первый раз "
                "(до перевода стрелок). Если рождение пришлось на второй раз, оставьте свой выбор.";
    if (atlas.change == ClockChangeCase::Skipped)
        text += "\n\nВ эту ночь часы переводили вперёд, и такого времени на часах не было. Атлас считает его "
                "временем до перевода стрелок.";
    return text + "\n\nВзять данные атласа?";
}

void SetSummerTime(TInData& record, bool summer) { record.dstCode = summer ? "L" : "Z"; }

std::string ClockSummary(const TInData& record) {
    return utOffsetText(record.zoneText) +
           (record.dstCode == "L" ? ", летнее время" : ", без летнего времени");
}

void FinishBirthDataEntry(TInData& record, BirthEntryFlags& flags, const std::filesystem::path& sysDir) {
    ConfirmBirthData(record, flags);
    WriteClientFile(sysDir, record);
}

}  // namespace korv

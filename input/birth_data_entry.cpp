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

void FinishBirthDataEntry(TInData& record, BirthEntryFlags& flags, const std::filesystem::path& sysDir) {
    ConfirmBirthData(record, flags);
    WriteClientFile(sysDir, record);
}

}  // namespace korv

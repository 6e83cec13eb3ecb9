// The birth data dialog's logic without its widgets: what " Продолжить" does with the
// dialog's values, in two halves around the place selection dialog.
//
//   dialog opens      ClearBirthRecord(record)
//   " Продолжить"     StoreBirthDialogValues(values, record)   name, date, time, sex, summer time
//                     place selection dialog                   city, coordText, zone; PlaceChosen
//                     when the atlas knows the clock and finds other summer time than
//                     the box: SummerTimeQuestion, then SetSummerTime with the answer
//                     FinishBirthDataEntry(record, flags, SysDir)
//                         with a place: line assembled and converted, DataConfirmed set;
//                         without: DataConfirmed cleared, line kept;
//                         either way SysDir/Client.dat holds the record's line
//   "   Отменить"     CancelBirthDataEntry(flags)
//
// The flags belong to the caller (the main window) and are passed by reference.
#pragma once

#include <filesystem>
#include <string>

#include "input/birth_record.h"
#include "input/local_clock.h"

namespace korv {

struct BirthEntryFlags {
    bool DataConfirmed = false;  // a new birth line is assembled and converted: the chart run may compute
    bool PlaceChosen = false;    // the place selection dialog ended with a city
};

// The dialog's values. Limits as its spin edits keep them: day 1-31, month 1-12, year
// -999..3000 (the date text has four characters for the year), hour 0-23, minute 0-59.
struct BirthDialogValues {
    std::string name;  // Windows-1251; the first 40 characters are kept
    int day = 1, month = 1, year = 2000;
    int hour = 0, minute = 0;
    bool woman = false;       // "  Женщина" selected, else "  Мужчина"
    bool summerTime = false;  // the summer-time box is checked
};

constexpr const char* kClientFileName = "Client.dat";

// On opening: every field of the record emptied (texts to length 0, numbers to 0)
// except `line`, which keeps the previous person's data.
void ClearBirthRecord(TInData& record);

// The first half of " Продолжить", before the place selection dialog (which reads the
// date text to pick the zone): dateText, timeText (seconds "00"), dstCode, sexCode and
// name (padded to 40). A value beyond its limit raises korv::Error and changes nothing.
void StoreBirthDialogValues(const BirthDialogValues& values, TInData& record);

// With a place chosen: assembles the 123-column line from the record's texts, runs
// ConvertBirthData and sets DataConfirmed. Without one: clears DataConfirmed and leaves
// `line` as it was. A failed conversion leaves DataConfirmed cleared.
void ConfirmBirthData(TInData& record, BirthEntryFlags& flags);

// Creates SysDir/Client.dat anew with one line, the record's `line`, ended by CR LF.
void WriteClientFile(const std::filesystem::path& sysDir, const TInData& record);

// The second half of " Продолжить", after the place selection dialog has closed:
// ConfirmBirthData, then WriteClientFile whether or not a place was chosen.
void FinishBirthDataEntry(TInData& record, BirthEntryFlags& flags, const std::filesystem::path& sysDir);

// The question for the user (UTF-8) when the atlas's clock at the birth moment has
// summer time and the box was not ticked, or the other way round: what the atlas
// found, with a word on a repeated or skipped time or local mean time, ending in
// "take the atlas's?". Empty when the two agree.
std::string SummerTimeQuestion(const ClockReading& atlas, bool boxTicked);
// The record's dstCode: "L" with summer time, "Z" without.
void SetSummerTime(TInData& record, bool summer);
// The zone and summer time the record's line holds, for the user (UTF-8):
// "UT+3, летнее время", "UT-5, без летнего времени", "UT+5.8, ...".
std::string ClockSummary(const TInData& record);

// "   Отменить": no chart.
inline void CancelBirthDataEntry(BirthEntryFlags& flags) { flags.DataConfirmed = false; }

}  // namespace korv

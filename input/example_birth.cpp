#include "input/example_birth.h"

#include "common/error.h"
#include "common/text.h"
#include "input/atlas.h"
#include "input/birth_data_entry.h"

namespace korv {

TInData ExampleBirthRecord(const std::filesystem::path& sysDir) {
    BirthDialogValues values;
    values.name = cp("Анна Смирнова");
    values.day = 17;
    values.month = 5;
    values.year = 1990;
    values.hour = 14;
    values.minute = 30;
    values.woman = true;
    values.summerTime = true;

    TInData record;
    StoreBirthDialogValues(values, record);
    const auto placeFile = PlaceFilePath(sysDir, *FindRegion("sng"));
    const auto country = FindEntryByName(ReadCountryList(placeFile), cp("Россия (Москва)"));
    if (!country) throw Error(displayPath(placeFile) + ": the atlas has no country line \"Россия (Москва)\"");
    const auto city = FindEntryByName(ReadCityList(placeFile, *country), cp("Москва"));
    if (!city) throw Error(displayPath(placeFile) + ": the atlas has no city \"Москва\"");
    ChoosePlaceForRecord(record, placeFile, *country, *city);

    BirthEntryFlags flags;
    flags.PlaceChosen = true;
    ConfirmBirthData(record, flags);
    return record;
}

}  // namespace korv

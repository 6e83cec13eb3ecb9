// The place selection dialog's state and steps without its widgets: a region loads its
// country list, a country its city list, a clicked city makes " Продолжить" look the
// place up and store it in the birth record. The add-city dialog works on the same
// state (the region's place file and the selected country).
//
// Both lists are kept sorted as the dialog shows them (RussianCompare); entries are
// the place file's first 30 characters, Windows-1251.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "input/add_city.h"
#include "input/atlas.h"
#include "input/birth_data_entry.h"

namespace korv {

// Messages of the dialog (UTF-8, blanks as shown).
extern const char* const kNoCityMessage;              // "   Не выбран город!   "
extern const char* const kNoRegionAndCountryMessage;  // "   Не выбран континент и страна  "

class PlaceSelection {
public:
    explicit PlaceSelection(std::filesystem::path sysDir);

    // On opening: nothing chosen, both lists empty, PlaceChosen cleared.
    void activate(BirthEntryFlags& flags);
    // Region button: empties both lists, then loads the region's countries. A place
    // file that cannot be read raises korv::Error; the lists stay empty and no region
    // counts as chosen.
    void chooseRegion(const Region& region);
    // Country list click: loads the country's cities; clears the city choice. Without
    // a region it does nothing. A country no longer in the file raises korv::Error and
    // leaves no country chosen.
    void chooseCountry(const std::string& countryEntry);
    // City list click.
    void chooseCity(const std::string& cityEntry);

    // " Продолжить": without region, country and city raises kNoCityMessage with
    // PlaceChosen cleared; otherwise looks the place up for the record's dateText and
    // timeText, fills the record's city, coordText, zoneText and zoneHours, keeps what
    // the atlas knows of the clock (atlasClock) and sets PlaceChosen. A failed lookup
    // raises korv::Error and stores nothing.
    void confirm(TInData& record, BirthEntryFlags& flags);
    // The clock at the birth moment from the chosen city's zone history (summer time
    // included), after a successful confirm; none for a city without a zone name.
    const std::optional<ClockReading>& atlasClock() const { return atlasClock_; }
    // "  Отменить".
    static void cancel(BirthEntryFlags& flags) { flags.PlaceChosen = false; }

    // "Добавить город" may open the add-city dialog (else show kNoRegionAndCountryMessage).
    bool canAddCity() const { return regionChosen_ && countryChosen_; }
    // The add-city dialog's " Продолжить": AddCity into the chosen country, then the
    // country's city list reloaded with no city chosen. Refusals raise korv::Error.
    std::string addCity(const NewCity& input, const ReplaceHooks& hooks = {});

    const std::vector<std::string>& countries() const { return countries_; }
    const std::vector<std::string>& cities() const { return cities_; }
    const std::filesystem::path& placeFilePath() const { return placeFilePath_; }
    const std::string& countryEntry() const { return countryEntry_; }
    const std::string& cityEntry() const { return cityEntry_; }
    bool regionChosen() const { return regionChosen_; }
    bool countryChosen() const { return countryChosen_; }
    bool cityChosen() const { return cityChosen_; }

private:
    std::filesystem::path sysDir_;
    std::filesystem::path placeFilePath_;
    std::vector<std::string> countries_;
    std::vector<std::string> cities_;
    std::string countryEntry_;
    std::string cityEntry_;
    bool regionChosen_ = false;
    bool countryChosen_ = false;
    bool cityChosen_ = false;
    std::optional<ClockReading> atlasClock_;
};

}  // namespace korv

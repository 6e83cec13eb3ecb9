#include "input/place_selection.h"

#include "common/error.h"
#include "input/russian_order.h"

namespace korv {

const char* const kNoCityMessage = "   Не выбран город!   ";
const char* const kNoRegionAndCountryMessage = "   Не выбран континент и страна  ";

PlaceSelection::PlaceSelection(std::filesystem::path sysDir) : sysDir_(std::move(sysDir)) {}

void PlaceSelection::activate(BirthEntryFlags& flags) {
    regionChosen_ = countryChosen_ = cityChosen_ = false;
    flags.PlaceChosen = false;
    atlasClock_.reset();
    countries_.clear();
    cities_.clear();
    countryEntry_.clear();
    cityEntry_.clear();
}

void PlaceSelection::chooseRegion(const Region& region) {
    cities_.clear();
    countries_.clear();
    regionChosen_ = countryChosen_ = cityChosen_ = false;
    countryEntry_.clear();
    cityEntry_.clear();
    placeFilePath_ = PlaceFilePath(sysDir_, region);
    std::vector<std::string> countries = ReadCountryList(placeFilePath_);
    SortRussian(countries);
    countries_ = std::move(countries);
    regionChosen_ = true;
}

void PlaceSelection::chooseCountry(const std::string& countryEntry) {
    if (!regionChosen_) return;
    countryChosen_ = cityChosen_ = false;
    cities_.clear();
    cityEntry_.clear();
    countryEntry_ = countryEntry;
    std::vector<std::string> cities = ReadCityList(placeFilePath_, countryEntry);
    SortRussian(cities);
    cities_ = std::move(cities);
    countryChosen_ = true;
}

void PlaceSelection::chooseCity(const std::string& cityEntry) {
    cityEntry_ = cityEntry;
    cityChosen_ = true;
}

void PlaceSelection::confirm(TInData& record, BirthEntryFlags& flags) {
    flags.PlaceChosen = false;
    atlasClock_.reset();
    if (!regionChosen_ || !countryChosen_ || !cityChosen_) throw Error(kNoCityMessage);
    atlasClock_ = ChoosePlaceForRecord(record, placeFilePath_, countryEntry_, cityEntry_).clock;
    flags.PlaceChosen = true;
}

std::string PlaceSelection::addCity(const NewCity& input, const ReplaceHooks& hooks) {
    if (!canAddCity()) throw Error(kNoRegionAndCountryMessage);
    const std::string line = AddCity(placeFilePath_, countryEntry_, input, hooks);
    // The city is in the file now: whatever happens to the list's reload, the addition
    // has succeeded, and a failed reload leaves the country to be chosen again.
    const std::string country = countryEntry_;
    try {
        chooseCountry(country);
    } catch (const Error&) {
        cities_.clear();
    }
    return line;
}

}  // namespace korv

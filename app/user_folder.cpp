#include "app/user_folder.h"

#include <map>
#include <set>
#include <system_error>

#include "common/error.h"
#include "common/text.h"
#include "input/file_replace.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPristineFolder = ".installed";  // under System/: the tree's versions

// The files of System/ that belong to the user: the atlas and the settings.
bool isOwnFile(const fs::path& name) {
    return name.extension() == ".wdt" || name == "set.dat";
}

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool isCountryLine(const std::string& line) { return !line.empty() && line[0] == '*'; }
std::string countryKey(const std::string& line) { return line.substr(0, 30); }

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
    return readFileBytes(a) == readFileBytes(b);
}

void copyFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to.parent_path(), ec);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) throwFileError("Cannot copy (" + ec.message() + ") " + from.string() + " to", to);
    // The copy is the user's to change, even when the tree is read-only.
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
}

// A link (or a copy) of the tree's entry `from` at `to`, replacing what was there
// unless it already is that link or an equal copy.
void placeTreeEntry(const fs::path& from, const fs::path& to, TreeLinks links) {
    std::error_code ec;
    if (links == TreeLinks::Link) {
        if (fs::is_symlink(to, ec) && fs::read_symlink(to, ec) == from) return;
        fs::remove_all(to, ec);
        fs::create_symlink(from, to, ec);
        if (ec) throwFileError("Cannot link (" + ec.message() + ") " + from.string() + " as", to);
        return;
    }
    if (fs::is_symlink(to, ec)) fs::remove(to, ec);
    if (fs::is_directory(from, ec)) {
        fs::create_directories(to, ec);
        for (const auto& e : fs::directory_iterator(from)) placeTreeEntry(e.path(), to / e.path().filename(), links);
        return;
    }
    if (fs::is_regular_file(to, ec) && sameBytes(from, to)) return;
    copyFile(from, to);
}

// One own file of System/: copied on first use, updated as the header says.
void updateOwnFile(const fs::path& fresh, const fs::path& mine, const fs::path& pristine, const std::string& shown,
                   std::vector<std::string>& notes) {
    std::error_code ec;
    if (!fs::exists(mine, ec)) {
        copyFile(fresh, mine);
        copyFile(fresh, pristine);
        return;
    }
    if (!fs::exists(pristine, ec)) {
        // A folder made before the tree's versions were kept: a file newer than the
        // tree's is the user's; an older one is replaced.
        if (!sameBytes(fresh, mine) && fs::last_write_time(mine, ec) > fs::last_write_time(fresh, ec)) {
            notes.push_back("kept your " + shown + ", which is newer than the program's " + fresh.string());
        } else {
            copyFile(fresh, mine);
        }
        copyFile(fresh, pristine);
        return;
    }
    if (sameBytes(fresh, pristine)) return;  // the tree has not changed this file
    if (sameBytes(mine, pristine)) {
        copyFile(fresh, mine);
    } else if (mine.extension() == ".wdt") {
        int added = 0;
        const std::string merged = MergeAddedCities(readFileBytes(pristine), readFileBytes(mine), readFileBytes(fresh), added);
        ReplaceFileContent(mine, merged);
        notes.push_back("the new " + shown + " holds the " + std::to_string(added) + " cit" + (added == 1 ? "y" : "ies") +
                        " you added");
    } else {
        notes.push_back("kept your " + shown + "; the program's new version is " + pristine.string());
    }
    copyFile(fresh, pristine);
}

}  // namespace

std::string MergeAddedCities(const std::string& base, const std::string& mine, const std::string& fresh, int& added) {
    // Cities of each country in the base and in the user's file.
    std::map<std::string, std::set<std::string>> baseCities;
    std::string country;
    for (const std::string& line : splitLines(base)) {
        if (isCountryLine(line)) country = countryKey(line);
        else if (!line.empty()) baseCities[country].insert(line);
    }
    std::map<std::string, std::vector<std::string>> addedCities;
    std::map<std::string, std::string> countryLines;
    std::vector<std::string> countryOrder;
    country.clear();
    for (const std::string& line : splitLines(mine)) {
        if (isCountryLine(line)) {
            country = countryKey(line);
            countryLines[country] = line;
        } else if (!line.empty() && !baseCities[country].count(line)) {
            if (addedCities[country].empty()) countryOrder.push_back(country);
            addedCities[country].push_back(line);
        }
    }

    // The fresh file with the added cities after the last city of their country.
    const std::vector<std::string> freshLines = splitLines(fresh);
    // Cities are told apart by their list entry (the first 30 characters): a city the
    // new file has by that name is not added twice.
    std::set<std::string> freshCountries;
    std::map<std::string, std::set<std::string>> freshCities;
    country.clear();
    for (const std::string& line : freshLines) {
        if (isCountryLine(line)) freshCountries.insert(country = countryKey(line));
        else if (!line.empty()) freshCities[country].insert(line.substr(0, 30));
    }
    added = 0;
    std::string out;
    auto emit = [&](const std::string& line) { out += line + "\r\n"; };
    auto emitAdded = [&](const std::string& c) {
        for (const std::string& city : addedCities[c])
            if (freshCities[c].insert(city.substr(0, 30)).second) {
                emit(city);
                ++added;
            }
    };
    country.clear();
    bool inCountry = false;
    for (const std::string& line : freshLines) {
        if (isCountryLine(line)) {
            if (inCountry) emitAdded(country);
            country = countryKey(line);
            inCountry = true;
        }
        emit(line);
    }
    if (inCountry) emitAdded(country);
    for (const std::string& c : countryOrder)
        if (!freshCountries.count(c) && !c.empty()) {
            emit(countryLines[c]);
            emitAdded(c);
        }
    return out;
}

std::vector<std::string> PrepareUserFolder(const fs::path& tree, const fs::path& userDir, TreeLinks links) {
    std::error_code ec;
    if (!fs::is_directory(tree / "System", ec))
        throw Error("No program tree at " + tree.string() + ": it has no System folder");
    std::vector<std::string> notes;
    fs::create_directories(userDir / "System" / kPristineFolder, ec);
    fs::create_directories(userDir / "Output", ec);
    if (ec) throwFileError("Cannot create the folder (" + ec.message() + ")", userDir);

    for (const auto& e : fs::directory_iterator(tree)) {
        const fs::path name = e.path().filename();
        if (name == "System" || name == "Output") continue;
        placeTreeEntry(e.path(), userDir / name, links);
    }
    for (const auto& e : fs::directory_iterator(tree / "System")) {
        const fs::path name = e.path().filename();
        if (isOwnFile(name))
            updateOwnFile(e.path(), userDir / "System" / name, userDir / "System" / kPristineFolder / name,
                          "System/" + name.string(), notes);
        else
            placeTreeEntry(e.path(), userDir / "System" / name, links);
    }
    // Links to what the tree no longer has go (an update removed or renamed it).
    for (const fs::path& folder : {userDir, userDir / "System"})
        for (const auto& e : fs::directory_iterator(folder))
            if (e.is_symlink(ec) && !fs::exists(e.path(), ec)) fs::remove(e.path(), ec);
    return notes;
}

}  // namespace korv

// The library checker: format errors of the keyed files, and how many of the keys the
// report can ask for each file holds. Used by `korvinaut-cli check-library` and the tests.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "report/library.h"

namespace korv {

// Affliction marks the engine gives a planet. It gives none yet, so every mark is 0;
// the report's lookups would ask for 50 as well once it does.
extern const std::vector<int> kAfflictionMarks;

// Every key the report's sections can ask of each keyed file, over all charts (all
// signs, houses, planets and the aspects that can occur) and both sexes: folder -> file name -> keys.
using AskableKeyMap = std::map<std::string, std::map<std::string, std::set<FragmentKey>>>;
const AskableKeyMap& AskableKeys();

// Whole-copy pages the report reads: folder -> file names.
const std::map<std::string, std::set<std::string>>& WholeCopyPages();

struct LibraryProblem {
    std::filesystem::path file;
    int line = 0;  // 0: the file as a whole
    std::string message;
};

// "System/Text_01/A_P1.doc, line 12: ..." (UTF-8).
std::string ProblemText(const LibraryProblem& problem);

// Format errors of one keyed file: key lines that do not convert, fragments without
// "@", fragments whose first line is empty, text lines beginning with "*", text after a
// fragment's "@" (an "@" inside a text), texts over 10,000 characters, duplicate keys,
// lines ended by LF alone, a byte order mark or UTF-8 text instead of Windows-1251.
// `keys` receives the keys of the fragments, first occurrences only.
std::vector<LibraryProblem> CheckKeyedFile(const std::filesystem::path& file, const std::string& bytes,
                                           std::set<FragmentKey>& keys);

struct FileCoverage {
    std::string folder;
    std::string name;
    bool wholeCopy = false;    // a page copied whole (header, glossary, Sun-sign texts)
    bool exists = false;
    std::size_t fragments = 0; // distinct keys in the file
    std::size_t askable = 0;   // keys the report can ask of it
    std::size_t present = 0;   // ... that the file holds
    std::size_t unused = 0;    // keys in the file that the report never asks for
    std::size_t impossible = 0; // ... of them, aspects that no chart has (Sun-Mercury square...)
};

struct LibraryReport {
    std::vector<FileCoverage> files;  // by folder, then by name
    std::vector<LibraryProblem> errors;
};

// Checks every file under the Text_* folders of `systemDir` and every file the report
// reads there. Missing keyed files are not errors (they give no fragments); a missing
// whole-copy page is, since the report cannot be written without it.
LibraryReport CheckLibrary(const std::filesystem::path& systemDir);

}  // namespace korv

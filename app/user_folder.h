// The user's own program folder, made from the installed, read-only program tree.
//
// The programs find every file from their program folder (the working directory), and
// the atlas and settings there are written by the user ("Добавить город"). An installed
// tree is shared and read-only, so each user gets a folder of their own
// (~/.local/share/korvinaut): the place files and set.dat are copied (the user may change
// them), Output/ is created, and everything else is linked to the tree (or copied, for a
// self-contained folder such as the development folder build/Korvinaut).
//
// Updates: a copy of the tree's version of each own file is kept in System/.installed/.
// When the tree brings a new version, a file the user never changed is replaced; a
// place file the user added cities to gets the new version with the user's cities
// carried over under their country lines; a changed set.dat is kept and said so.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korv {

enum class TreeLinks { Link, Copy };

// Prepares or updates `userDir` from `tree`. Returns what the user should be told
// (UTF-8 lines: files kept, cities carried over); raises korv::Error on a file error.
std::vector<std::string> PrepareUserFolder(const std::filesystem::path& tree, const std::filesystem::path& userDir,
                                           TreeLinks links);

// The city lines of `mine` that `base` lacks under the same country line, added to
// `fresh` under that country (after its last city), or at the end with their country
// line when `fresh` no longer has the country. Place files' bytes (Windows-1251, CR LF);
// `added` receives the number of cities carried over.
std::string MergeAddedCities(const std::string& base, const std::string& mine, const std::string& fresh, int& added);

}  // namespace korv

#include "report/library_check.h"

#include <algorithm>
#include <system_error>

#include "astro/aspects.h"
#include "common/error.h"
#include "common/text.h"
#include "report/sections.h"

namespace korv {

namespace fs = std::filesystem;

const std::vector<int> kAfflictionMarks = {0};

namespace {

constexpr int kAspectAngles[] = {0, 60, 90, 120, 180};

void addSectionKeys(const TopicSection& s, std::map<std::string, std::set<FragmentKey>>& files) {
    for (const bool woman : {false, true}) {
        for (const CuspLookup& c : s.cusps)
            for (int sign = 1; sign <= 12; ++sign) files[c.file.pick(woman)].insert({.house = c.house, .sign = sign});
        for (const AlmutenLookup& a : s.almutens)
            for (int mark : a.markZero ? std::vector<int>{0} : kAfflictionMarks)
                for (int house = 1; house <= 12; ++house)
                    files[a.file.pick(woman)].insert({.house = a.house, .angle = mark, .almutenHouse = house});
        for (const PlanetsInHouseLookup& l : s.planets)
            for (int p = 1; p <= kBodyCount; ++p)
                for (int mark : l.markZero ? std::vector<int>{0} : kAfflictionMarks) {
                    files[l.houseFile.pick(woman)].insert({.house = l.d, .planet = p, .angle = mark});
                    if (!l.signFiles) continue;
                    auto& signFile = files[l.signPrefix + "P" + std::to_string(p) + "_z.doc"];
                    for (int sign = 1; sign <= 12; ++sign)
                        signFile.insert({.house = l.z, .sign = sign, .planet = p, .angle = mark});
                }
        for (const std::string& prefix : s.aspectPrefixes)
            for (int i = 1; i <= 5; ++i)
                for (int j = i + 1; j <= kBodyCount; ++j)
                    for (int angle : kAspectAngles)
                        if (AspectCanOccur(i, angle, j))
                            files[prefix + "A_P" + std::to_string(i) + ".doc"].insert(
                                {.planet = i, .angle = angle, .partner = j});
    }
}

struct Line {
    std::size_t begin = 0;  // offset of the first byte
    std::size_t end = 0;    // offset of the line end (CR LF, LF or the end of the file)
    bool bareLf = false;    // ended by LF without CR
};

std::vector<Line> splitLines(const std::string& b) {
    std::vector<Line> lines;
    for (std::size_t start = 0; start < b.size();) {
        const std::size_t lf = b.find('\n', start);
        Line l{start, lf == std::string::npos ? b.size() : lf, false};
        if (lf != std::string::npos) {
            if (l.end > start && b[l.end - 1] == '\r') --l.end;
            else l.bareLf = true;
        }
        lines.push_back(l);
        start = lf == std::string::npos ? b.size() : lf + 1;
    }
    return lines;
}

bool isUtf8Text(const std::string& b) {
    bool multiByte = false;
    for (std::size_t i = 0; i < b.size();) {
        const auto c = static_cast<unsigned char>(b[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + extra >= b.size() + (extra == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(b[i + k]) & 0xC0) != 0x80) return false;
        multiByte |= extra > 0;
        i += extra + 1;
    }
    return multiByte;
}

}  // namespace

const AskableKeyMap& AskableKeys() {
    static const AskableKeyMap keys = [] {
        AskableKeyMap m;
        addSectionKeys(PersonalitySection(), m[PersonalitySection().folder]);
        for (const TopicSection& s : TopicSections()) addSectionKeys(s, m[s.folder]);
        return m;
    }();
    return keys;
}

const std::map<std::string, std::set<std::string>>& WholeCopyPages() {
    static const std::map<std::string, std::set<std::string>> pages = [] {
        std::map<std::string, std::set<std::string>> m;
        m["Text_00"] = {"header_3.html", "termins.html", "sovety.html"};
        for (int sign = 1; sign <= 12; ++sign) {
            m["Text_01"].insert(std::to_string(sign) + "_M.html");
            m["Text_01"].insert(std::to_string(sign) + "_F.html");
        }
        return m;
    }();
    return pages;
}

std::string ProblemText(const LibraryProblem& p) {
    std::string where = displayPath(p.file);
    if (p.line > 0) where += ", line " + std::to_string(p.line);
    return where + ": " + p.message;
}

std::vector<LibraryProblem> CheckKeyedFile(const fs::path& file, const std::string& b, std::set<FragmentKey>& keys) {
    std::vector<LibraryProblem> problems;
    auto problem = [&](int line, std::string message) { problems.push_back({file, line, std::move(message)}); };

    if (b.rfind("\xEF\xBB\xBF", 0) == 0) problem(0, "begins with a UTF-8 byte order mark");
    if (isUtf8Text(b)) problem(0, "is UTF-8 text; library files are Windows-1251");

    const std::vector<Line> lines = splitLines(b);
    const auto bareLf = std::find_if(lines.begin(), lines.end(), [](const Line& l) { return l.bareLf; });
    if (bareLf != lines.end())
        problem(static_cast<int>(bareLf - lines.begin()) + 1, "the line ends with LF alone; library files use CR LF");

    std::map<FragmentKey, int> firstLine;
    auto text = [&](std::size_t i) { return std::string_view(b).substr(lines[i].begin, lines[i].end - lines[i].begin); };
    auto isKeyLine = [&](std::size_t i) { return !text(i).empty() && text(i)[0] == '*'; };
    auto converts = [&](std::size_t i) {
        try {
            ParseKeyLine(text(i).substr(0, kMaxKeyLineChars), "");
            return true;
        } catch (const Error&) {
            return false;
        }
    };

    int closedAt = 0;  // line of the "@" that ended the last fragment; 0 before any or once reported
    for (std::size_t i = 0; i < lines.size();) {
        const int lineNo = static_cast<int>(i) + 1;
        if (!isKeyLine(i)) {
            if (closedAt > 0 && !trimBlanks(text(i)).empty()) {
                problem(lineNo, "text after the \"@\" that ends the fragment on line " + std::to_string(closedAt) +
                                    " (an \"@\" inside a text?)");
                closedAt = 0;
            }
            ++i;
            continue;
        }
        closedAt = 0;
        try {
            const FragmentKey key = ParseKeyLine(text(i).substr(0, kMaxKeyLineChars), "");
            const auto [it, inserted] = firstLine.emplace(key, lineNo);
            if (inserted) keys.insert(key);
            else problem(lineNo, "duplicate key " + KeyText(key) + " (first on line " + std::to_string(it->second) +
                                     "; only that one is used)");
        } catch (const Error& e) {
            problem(lineNo, std::string("the key line does not convert: ") + e.what());
        }

        // The fragment text: from the next line to the first "@".
        const std::size_t textBegin = i + 1 < lines.size() ? lines[i + 1].begin : b.size();
        if (i + 1 < lines.size() && text(i + 1).empty())
            problem(lineNo + 1, "the fragment's first line is empty");
        std::size_t j = i + 1;
        bool closed = false;
        for (; j < lines.size(); ++j) {
            const std::size_t at = text(j).find('@');
            if (isKeyLine(j) && at != 0) {
                if (converts(j)) break;  // the next fragment: this one lacks its "@"
                problem(static_cast<int>(j) + 1, "a text line begins with \"*\" (it would be read as a key line)");
            }
            if (at != std::string_view::npos) {
                closed = true;
                const std::size_t length = lines[j].begin + at - textBegin;
                if (length > kMaxFragmentChars)
                    problem(lineNo, "the fragment has " + std::to_string(length) + " characters, more than " +
                                        std::to_string(kMaxFragmentChars));
                if (text(j).find('@', at + 1) != std::string_view::npos)
                    problem(static_cast<int>(j) + 1, "a second \"@\" after the end of the fragment (an \"@\" inside a text?)");
                closedAt = static_cast<int>(j) + 1;
                ++j;
                break;
            }
        }
        if (!closed) problem(lineNo, "the fragment has no closing \"@\"");
        i = j;
    }
    return problems;
}

LibraryReport CheckLibrary(const fs::path& systemDir) {
    std::error_code ec;
    if (!fs::is_directory(systemDir, ec)) throwFileError("Folder not found", systemDir);

    // Folder -> file names: what the report reads, plus what lies in the Text_* folders.
    std::map<std::string, std::set<std::string>> names;
    for (const auto& [folder, files] : AskableKeys())
        for (const auto& [name, keys] : files) names[folder].insert(name);
    for (const auto& [folder, pages] : WholeCopyPages()) names[folder].insert(pages.begin(), pages.end());
    for (const auto& entry : fs::directory_iterator(systemDir, ec)) {
        const std::string folder = entry.path().filename().string();
        if (!entry.is_directory() || folder.rfind("Text_", 0) != 0) continue;
        std::error_code inner;
        for (const auto& f : fs::directory_iterator(entry.path(), inner))
            if (f.is_regular_file()) names[folder].insert(f.path().filename().string());
        if (inner) throwFileError("Cannot list the folder (" + inner.message() + ")", entry.path());
    }
    if (ec) throwFileError("Cannot list the folder (" + ec.message() + ")", systemDir);

    LibraryReport report;
    for (const auto& [folder, files] : names) {
        const auto pages = WholeCopyPages().find(folder);
        const auto askable = AskableKeys().find(folder);
        for (const std::string& name : files) {
            const fs::path path = systemDir / folder / name;
            FileCoverage c{.folder = folder, .name = name};
            c.wholeCopy = pages != WholeCopyPages().end() && pages->second.count(name) > 0;
            c.exists = fs::is_regular_file(path, ec);
            if (c.wholeCopy) {
                if (!c.exists) report.errors.push_back({path, 0, "missing; the report cannot be written without it"});
                report.files.push_back(c);
                continue;
            }
            const std::set<FragmentKey>* asked = nullptr;
            if (askable != AskableKeys().end()) {
                const auto it = askable->second.find(name);
                if (it != askable->second.end()) asked = &it->second;
            }
            c.askable = asked ? asked->size() : 0;
            if (c.exists) {
                std::set<FragmentKey> keys;
                for (LibraryProblem& p : CheckKeyedFile(path, readFileBytes(path), keys))
                    report.errors.push_back(std::move(p));
                c.fragments = keys.size();
                for (const FragmentKey& k : keys) {
                    if (asked && asked->count(k)) ++c.present;
                    else if (k.planet >= 1 && !AspectCanOccur(k.planet, k.angle, k.partner) && name.find("A_P") != std::string::npos)
                        ++c.impossible;
                    else ++c.unused;
                }
            }
            report.files.push_back(c);
        }
    }
    return report;
}

}  // namespace korv

// `korvinaut-cli batch FILE --out DIR [--jobs N] [--dir PROGRAM_FOLDER]`: one report per
// row of a CSV file (docs/batch.md), written on N worker threads. Each row's report
// goes to a folder of its own under DIR, named by the row number and the person's name,
// with the same files a single `report` run leaves in Output. A row is written under a
// temporary name and renamed when complete, so a folder that exists is whole. A bad row
// is reported with its number and skipped; the exit code is 1 when any row failed.
//
// Shared by the workers, read once and never changed: the settings, the Pluto table,
// the background picture and the interpretation library (ReportResources).
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/cli/args.h"
#include "app/cli/birth_options.h"
#include "app/cli/commands.h"
#include "app/cli/csv.h"
#include "app/cli/drawing_setup.h"
#include "app/cli/report_job.h"
#include "chart/qt/wheel_image.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv::cli {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kColumns = {"name", "sex",  "date", "time",   "zone",   "summer",
                                           "lat",  "lon",  "city", "region", "country"};

struct Row {
    int number = 0;  // 1 = the first row after the header
    int line = 0;    // line of the file
    std::map<std::string, std::string> cells;  // column -> value, blanks trimmed
    std::string cell(const std::string& column) const {
        const auto it = cells.find(column);
        return it == cells.end() ? std::string() : it->second;
    }
};

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::vector<Row> readRows(const fs::path& file) {
    const std::string name = displayPath(file);
    const std::vector<CsvRow> csv = ParseCsv(readFileBytes(file), name);
    if (csv.empty()) throw Error(name + ": the file is empty; the first line names the columns (docs/batch.md)");
    std::vector<std::string> header;
    for (const std::string& h : csv.front().fields) {
        const std::string column = lowerAscii(trimmed(h));
        if (std::find(kColumns.begin(), kColumns.end(), column) == kColumns.end()) {
            std::string known;
            for (const std::string& k : kColumns) known += (known.empty() ? "" : ", ") + k;
            throw Error(name + ", line 1: unknown column '" + h + "' (the columns are " + known + ")");
        }
        if (std::find(header.begin(), header.end(), column) != header.end())
            throw Error(name + ", line 1: the column '" + column + "' is named twice");
        header.push_back(column);
    }
    for (const char* needed : {"date", "time"})
        if (std::find(header.begin(), header.end(), needed) == header.end())
            throw Error(name + ", line 1: the column '" + needed + "' is missing (docs/batch.md)");
    std::vector<Row> rows;
    for (std::size_t r = 1; r < csv.size(); ++r) {
        Row row{static_cast<int>(r), csv[r].line, {}};
        for (std::size_t c = 0; c < csv[r].fields.size(); ++c) {
            const std::string value = trimmed(csv[r].fields[c]);
            if (c < header.size()) row.cells[header[c]] = value;
            else if (!value.empty()) row.cells["#extra"] = value;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// The row as the birth options of `report` (and checked by the same code).
Args argsOfRow(const Row& row, const ProgramFolders& folders) {
    if (!row.cell("#extra").empty()) throw Error("more cells than the header has columns");
    std::map<std::string, std::vector<std::string>> o;
    auto put = [&](const char* option, const std::string& column) {
        if (!row.cell(column).empty()) o[option] = {row.cell(column)};
    };
    put("--name", "name");
    put("--date", "date");
    put("--time", "time");
    if (const std::string sex = row.cell("sex"); !sex.empty()) {
        const std::string s = lowerAscii(sex);
        if (s == "m" || sex == "м" || sex == "М") o["--sex"] = {"M"};
        else if (s == "f" || sex == "ж" || sex == "Ж") o["--sex"] = {"F"};
        else throw Error("sex: '" + sex + "' is neither M nor F (М or Ж)");
    }
    if (const std::string summer = lowerAscii(row.cell("summer")); !summer.empty()) {
        // Left empty, an atlas place takes the summer time of its zone history.
        if (summer == "1" || summer == "yes" || summer == "да" || summer == "Да" || summer == "ДА") o["--summer"] = {};
        else if (summer == "0" || summer == "no" || summer == "нет" || summer == "Нет" || summer == "НЕТ") o["--no-summer"] = {};
        else throw Error("summer: '" + row.cell("summer") + "' is neither yes nor no (1 or 0, да or нет)");
    }
    if (!row.cell("region").empty() || !row.cell("country").empty()) {
        put("--region", "region");
        put("--country", "country");
        put("--city", "city");
        o["--dir"] = {folders.MainDir.string()};
    } else {
        put("--zone", "zone");
        put("--lat", "lat");
        put("--lon", "lon");
        put("--city", "city");
    }
    return Args::fromOptions("batch", std::move(o));
}

// "007": the row number, padded to the widest.
std::string rowLabel(const Row& row, int width) {
    std::string label = std::to_string(row.number);
    label.insert(0, static_cast<std::size_t>(std::max(0, width - static_cast<int>(label.size()))), '0');
    return label;
}

// "007 Иванов Иван": the row label and the name made safe as a file name (no path
// separators or characters that other systems refuse).
std::string folderName(const Row& row, int width) {
    const std::string label = rowLabel(row, width);
    std::string name;
    for (const char c : row.cell("name")) {
        const auto u = static_cast<unsigned char>(c);
        name += (u < 0x20 || u == 0x7F || std::string("/\\:*?\"<>|").find(c) != std::string::npos) ? '_' : c;
    }
    // At most 60 bytes, cut before a UTF-8 continuation byte.
    if (name.size() > 60) {
        std::size_t cut = 60;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    name = trimmed(name);
    while (!name.empty() && name.back() == '.') name.pop_back();
    return name.empty() ? label : label + " " + name;
}

struct Outcome {
    bool done = false;
    bool ok = false;
    std::string folder;  // written folder's name
    std::string error;   // why the row failed
};

// Writes one row: its report into a temporary folder, renamed into place when complete.
Outcome runRow(const Row& row, int width, const fs::path& outDir, ReportResources& resources) {
    Outcome result;
    const fs::path tmp = outDir / ("." + rowLabel(row, width) + ".tmp");
    std::error_code ec;
    try {
        const TInData birth = BirthRecordFromArgs(argsOfRow(row, resources.folders), true);
        fs::remove_all(tmp, ec);
        fs::create_directories(tmp);
        WriteReport(resources, birth, tmp, true);
        const std::string name = folderName(row, width);
        const fs::path target = outDir / name;
        const fs::path old = outDir / ("." + name + ".old");
        fs::remove_all(old, ec);
        if (fs::exists(target)) fs::rename(target, old);
        fs::rename(tmp, target);
        fs::remove_all(old, ec);
        result.ok = true;
        result.folder = name;
    } catch (const std::exception& e) {
        fs::remove_all(tmp, ec);
        result.error = e.what();
    }
    result.done = true;
    return result;
}

// Progress on stderr: a bar redrawn in place on a terminal, a line per row otherwise.
class Progress {
public:
    explicit Progress(std::size_t total) : total_(total), start_(std::chrono::steady_clock::now()) {}

    void rowDone(const Row& row, const Outcome& o) {
        const std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        if (!terminal_) {
            if (o.ok) std::fprintf(stderr, "row %d: %s\n", row.number, o.folder.c_str());
            else std::fprintf(stderr, "row %d (line %d): FAILED: %s\n", row.number, row.line, o.error.c_str());
            return;
        }
        if (!o.ok) std::fprintf(stderr, "\r\033[Krow %d (line %d): FAILED: %s\n", row.number, row.line, o.error.c_str());
        drawBar();
    }

    void finish() {
        if (terminal_ && total_ > 0) std::fputc('\n', stderr);
    }

    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    void drawBar() {
        constexpr int kWidth = 30;
        const double elapsed = seconds();
        const double rate = elapsed > 0 ? done_ / elapsed : 0;
        const int filled = static_cast<int>(kWidth * done_ / std::max<std::size_t>(total_, 1));
        const double left = rate > 0 ? (total_ - done_) / rate : 0;
        const int leftSeconds = static_cast<int>(left + 0.5);
        std::fprintf(stderr, "\r\033[K[%s%s] %zu/%zu rows  %.1f rows/s  %d:%02d left", std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, '.').c_str(), done_, total_, rate, leftSeconds / 60,
                     leftSeconds % 60);
        std::fflush(stderr);
    }

    std::mutex mutex_;
    std::size_t total_;
    std::size_t done_ = 0;
    bool terminal_ = isatty(STDERR_FILENO) != 0;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace

int RunBatch(int argc, char** argv) {
    // The file is the one argument that is neither an option nor an option's value.
    std::vector<char*> rest = {argv[0], argv[1]};
    fs::path file;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) == 0) {
            rest.push_back(argv[i]);
            if (arg.find('=') == std::string::npos && i + 1 < argc) rest.push_back(argv[++i]);
        } else if (file.empty()) {
            file = arg;
        } else {
            throw Error("batch: unexpected argument " + arg + " (one CSV file only)");
        }
    }
    const Args args(static_cast<int>(rest.size()), rest.data(), {});
    args.allowOnly({"--out", "--jobs", "--dir"});
    if (file.empty()) throw Error("batch: give the CSV file (usage: batch FILE --out DIR [--jobs N] [--dir DIR])");
    if (!args.has("--out")) throw Error("batch: give the folder for the reports: --out DIR");
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int jobs = parseInt(args.value("--jobs", std::to_string(cores)), "--jobs");
    if (jobs < 1 || jobs > 256) throw Error("--jobs: give a number of worker threads from 1 to 256");

    const std::vector<Row> rows = readRows(file);
    const fs::path outDir = fs::absolute(args.value("--out"));
    fs::create_directories(outDir);
    const ProgramFolders folders = FoldersFromArgs(args);

    OffscreenGuiApplication app("korvinaut-cli");
    ReportResources resources(folders);
    InstallDrawingFonts(folders);

    const int width = std::max<int>(3, static_cast<int>(std::to_string(rows.size()).size()));
    std::vector<Outcome> outcomes(rows.size());
    Progress progress(rows.size());
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i; (i = next++) < rows.size();) {
            outcomes[i] = runRow(rows[i], width, outDir, resources);
            progress.rowDone(rows[i], outcomes[i]);
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < jobs && t < static_cast<int>(rows.size()); ++t) threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads) t.join();
    progress.finish();

    const auto failed = std::count_if(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return !o.ok; });
    const double seconds = progress.seconds();
    std::printf("%zu rows: %zu written to %s, %ld failed; %.1f s, %.1f reports/s on %d thread%s\n", rows.size(),
                rows.size() - static_cast<std::size_t>(failed), outDir.string().c_str(), static_cast<long>(failed),
                seconds, seconds > 0 ? (rows.size() - failed) / seconds : 0.0, jobs, jobs == 1 ? "" : "s");
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (!outcomes[i].ok)
            std::printf("  row %d (line %d): %s\n", rows[i].number, rows[i].line, outcomes[i].error.c_str());
    for (const std::string& w : resources.library.problems())
        std::fprintf(stderr, "korvinaut-cli: warning: %s\n", w.c_str());
    return failed == 0 ? 0 : 1;
}

}  // namespace korv::cli

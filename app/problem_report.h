// The support report of the "Проблемы" form: the user's details, the operating system,
// a listing of the program folder and the comment, as a Windows-1251 text file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korv {

// The operating systems offered by the form, in the order of its list (index 0..8).
const std::vector<std::string>& ProblemReportSystems();  // UTF-8 captions, each with a leading blank

struct ProblemReportInput {
    std::string dateTime;        // the current date and time as the system shows them (Windows-1251)
    std::string name;            // Windows-1251
    std::string email;           // Windows-1251
    int systemIndex = -1;        // index into ProblemReportSystems(), -1 when none is chosen
    std::vector<std::string> commentLines;  // Windows-1251
};

// Where the report goes: C:\Korvinaut_7\Report.txt on Windows, ~/Korvinaut_7/Report.txt
// elsewhere.
std::filesystem::path DefaultProblemReportPath();

// Reads the first line of System/set.dat under `mainDir` (it must hold an integer, as
// the settings tool writes it), lists `mainDir` and writes the report to `reportFile`,
// creating its folder when missing. Errors raise korv::Error.
void WriteProblemReport(const std::filesystem::path& reportFile, const std::filesystem::path& mainDir,
                        const ProblemReportInput& input);

}  // namespace korv

#include "app/problem_report.h"

#include <cstdlib>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"

namespace korv {

const std::vector<std::string>& ProblemReportSystems() {
    static const std::vector<std::string> systems = {
        " Windows 2000", " Windows XP", " Windows Vista", " Windows 7", " Windows 8",
        " Windows 10",   " Windows 11", " Linux",         " macOS",
    };
    return systems;
}

std::filesystem::path DefaultProblemReportPath() {
#ifdef _WIN32
    return std::filesystem::path("C:\\Korvinaut_7\\Report.txt");
#else
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / "Korvinaut_7" / "Report.txt";
#endif
}

void WriteProblemReport(const std::filesystem::path& reportFile, const std::filesystem::path& mainDir,
                        const ProblemReportInput& in) {
    // The settings file must be readable: a broken installation shows up here first.
    {
        LineReader settings(mainDir / "System" / "set.dat");
        std::string first;
        settings.next(first);
        parseInt(trimBlanks(first), displayPath(mainDir / "System" / "set.dat") + ", line 1");
    }
    std::error_code ec;
    std::filesystem::create_directories(reportFile.parent_path(), ec);
    if (ec) throwFileError("Cannot create folder (" + ec.message() + ")", reportFile.parent_path());

    LineWriter out(reportFile);
    out.line(cp("Дата и время: ") + in.dateTime);
    out.line(cp("Имя: ") + in.name);
    out.line("E-mail: " + in.email);
    const auto& systems = ProblemReportSystems();
    if (in.systemIndex >= 0 && in.systemIndex < static_cast<int>(systems.size()))
        out.line(cp("Операционная система :") + systems[in.systemIndex]);
    else
        out.line(cp("Операционная система не указана"));
    out.line("-----------------");
    out.line("");
    out.line(cp("Каталоги и файлы программы:"));
    // Names of five characters or fewer are left out (so "." and ".." never appear).
    for (const auto& entry : std::filesystem::directory_iterator(mainDir, ec)) {
        const std::string name = utf8ToCp1251(entry.path().filename().string());
        if (name.size() > 5) out.line(name);
    }
    if (ec) throwFileError("Cannot list folder (" + ec.message() + ")", mainDir);
    out.line("");
    out.line("-----------------");
    out.line("");
    out.line(cp("Комментарий:"));
    out.line(in.commentLines.empty() ? std::string() : in.commentLines[0]);
    for (std::size_t i = 1; i < in.commentLines.size() && i < 7; ++i)
        if (in.commentLines[i].size() > 1) out.line(in.commentLines[i]);
    out.line("");
    out.line(cp("--------  Конец файла отчета  --------"));
    out.close();
}

}  // namespace korv

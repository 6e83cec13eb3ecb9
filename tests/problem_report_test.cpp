#include <gtest/gtest.h>

#include <fstream>

#include "app/problem_report.h"
#include "common/error.h"
#include "common/text.h"
#include "tests/temp_dir.h"

namespace korv {
namespace {

class ProblemReport : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "Program" / "System");
        std::ofstream(dir.path() / "Program" / "System" / "set.dat", std::ios::binary) << "0\r\n0\r\n\r\n";
        std::ofstream(dir.path() / "Program" / "korvinaut", std::ios::binary) << "x";
        std::ofstream(dir.path() / "Program" / "a.txt", std::ios::binary) << "x";  // 5 characters: left out
    }
    std::vector<std::string> writeAndRead(const ProblemReportInput& in) {
        const auto file = dir.path() / "home" / "Korvinaut_7" / "Report.txt";
        WriteProblemReport(file, dir.path() / "Program", in);
        return readLines(file);
    }
    TempDir dir;
};

TEST_F(ProblemReport, LinesInOrderAndTheFolderIsCreated) {
    ProblemReportInput in;
    in.dateTime = "07.12.2026 20:00:00";
    in.name = cp("Ольга");
    in.email = "olga@example.org";
    in.systemIndex = 7;
    in.commentLines = {cp("Не печатается"), "", "x", cp("вторая строка"), "4", "5", "6", "7", "8", "9"};
    const auto lines = writeAndRead(in);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], cp("Дата и время: 07.12.2026 20:00:00"));
    EXPECT_EQ(lines[1], cp("Имя: Ольга"));
    EXPECT_EQ(lines[2], "E-mail: olga@example.org");
    EXPECT_EQ(lines[3], cp("Операционная система : Linux"));
    EXPECT_EQ(lines[6], cp("Каталоги и файлы программы:"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "korvinaut"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "a.txt"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "System"), lines.end());  // six characters: listed
    const auto comment = std::find(lines.begin(), lines.end(), cp("Комментарий:"));
    ASSERT_NE(comment, lines.end());
    // First line always; lines 2..7 only when longer than one character; nothing after 7.
    const std::vector<std::string> expected = {cp("Не печатается"), cp("вторая строка"), "",
                                               cp("--------  Конец файла отчета  --------")};
    EXPECT_EQ(std::vector<std::string>(comment + 1, lines.end()), expected);
}

TEST_F(ProblemReport, NoSystemChosenAndABrokenInstallation) {
    ProblemReportInput in;
    EXPECT_EQ(writeAndRead(in)[3], cp("Операционная система не указана"));
    in.systemIndex = 42;
    EXPECT_EQ(writeAndRead(in)[3], cp("Операционная система не указана"));
    std::filesystem::remove(dir.path() / "Program" / "System" / "set.dat");
    EXPECT_THROW(writeAndRead(in), Error);
}

}  // namespace
}  // namespace korv

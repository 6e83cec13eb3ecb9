#include "report/report_run.h"

#include <system_error>

#include "common/error.h"
#include "common/numbers.h"
#include "common/text.h"
#include "report/output_files.h"
#include "report/sections.h"

namespace korv {

namespace fs = std::filesystem;

const std::vector<std::string>& SectionRunOrder() {
    static const std::vector<std::string> order = [] {
        std::vector<std::string> files = {PersonalitySection().file};
        for (const TopicSection& section : TopicSections()) files.push_back(section.file);
        files.push_back(kReferenceDataFile);
        return files;
    }();
    return order;
}

const std::vector<std::string>& SectionJoinOrder() {
    static const std::vector<std::string> order = {"s01.html", "s09.html", "s06.html", "s10.html", "s02.html",
                                                   "s06_1.html", "s05.html", "s05_1.html", "s07.html", "s04.html",
                                                   "s08.html", "s12.html", "s12_1.html", "s14.html"};
    return order;
}

void WriteSourceListTable(const fs::path& sourceList, std::int32_t count, LineWriter& out) {
    const std::vector<std::string> entries = readLines(sourceList);
    std::size_t next = 0;
    auto copy = [&](std::int64_t n) {
        for (std::int64_t k = 0; k < n; ++k, ++next) out.line(next < entries.size() ? entries[next] : std::string());
    };
    const std::int32_t half = count / 2;
    out.line("<div align=\"center\"><table border=\"0\" width=\"90%\">");
    out.line("<tr><td colspan=\"2\">");
    out.line(cp("<p class=\"pc\"> Краткие указания на астрологический источник описаний "));
    out.line(cp("в тексте гороскопа. Цифрами в скобках отмечены соответствующие "));
    out.line(cp("фрагменты в тексте гороскопа. </p>"));
    out.line("</td></tr>");
    out.line("<tr><td valign=\"top\"  class=\"pl\">");
    copy(std::int64_t{half} + 1);
    out.line("</td><td valign=\"top\"  class=\"pl\">");
    copy(std::int64_t{count} - half - 1);
    out.line("</td></tr></table>");
}

std::vector<std::string> EpilogueLines(const Settings& s) {
    std::vector<std::string> lines = {
        "<div align=\"center\">",
        "<hr color=\"#C0C0C0\" width=\"50%\">",
        "<table border=\"0\" width=\"100%\" cellpadding=\"10\" bordercolor=\"#999999\" style=\"border-collapse: collapse\">",
        "<tr><td valign=\"top\" bgcolor=\"#FFFFFF\" width=\"50%\" align=\"right\">",
    };
    lines.push_back(s.EpilogShowPicture == 1 ? "<img border=\"0\" src=\"" + s.EpilogPicture + "\">" : " ");
    lines.push_back("</td>");
    lines.push_back("<td bgcolor=\"#FFFFFF\" width=\"50%\" align=\"left\" valign=\"top\">");
    lines.push_back(s.EpilogShowNotice == 1
                        ? "<font face=\"Arial\" size=\"2\" color=\"#0a4595\"><b>" + s.EpilogNotice + "</b></font> <br>"
                        : "<br>");
    lines.push_back("<font face=\"Arial\" size=\"2\" color=\"#0a4595\">");
    lines.push_back(s.EpilogShowSite == 1 ? "<a href=\"http://" + s.EpilogSite + " \"><b>" + s.EpilogSite +
                                                "</b></a></font>"
                                          : "</font>");
    lines.push_back("</td></tr></table> </div><br><br></BODY></HTML>");
    return lines;
}

namespace {

// The report and its picture are written under these names and renamed into place only
// when complete, so a run that fails (a full disk, a damaged library file) leaves the
// previous report whole. The names keep their extensions: the picture's format follows it.
constexpr const char* kReportInProgress = "~horoscop.html";
constexpr const char* kPictureInProgress = "~horoscop.bmp";

// Removes the files in progress when the run stops before renaming them.
class InProgressFiles {
public:
    explicit InProgressFiles(std::vector<fs::path> files) : files_(std::move(files)) {}
    ~InProgressFiles() {
        std::error_code ec;
        if (!done_)
            for (const fs::path& f : files_) fs::remove(f, ec);
    }
    void done() { done_ = true; }

private:
    std::vector<fs::path> files_;
    bool done_ = false;
};

void renameInto(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) throwFileError("Cannot rename (" + ec.message() + ") " + from.filename().string() + " to", to);
}

}  // namespace

ReportResult RunReport(const ReportRunInput& input, const SaveWheelPicture& saveWheel) {
    const ProgramFolders& folders = input.folders;
    const fs::path output = folders.output();
    std::error_code ec;
    if (!fs::is_directory(output, ec)) throwFileError("Folder not found", output);
    auto out = [&](const std::string& name) { return output / name; };
    auto signPicture = [](int sign) { return zeroPadded(sign, 2) + ".gif"; };
    InProgressFiles inProgress({out(kReportInProgress), out(kPictureInProgress)});

    References refs;
    saveWheel(out(kPictureInProgress));
    LineWriter(out("s20.html")).close();

    // The sections in run order (SectionRunOrder): the reference numbers follow it.
    FragmentLibrary ownLibrary;
    FragmentLibrary& library = input.library ? *input.library : ownLibrary;
    const ReportContext ctx{folders, input.birth, input.chart, library};
    WritePersonalitySection(ctx, refs);
    for (const TopicSection& section : TopicSections()) WriteTopicSection(ctx, section, refs);
    WriteReferenceDataSection(ctx);

    const fs::path html = out(kReportInProgress);
    LineWriter(html).close();
    for (const std::string& section : SectionJoinOrder()) AppendFile(out(section), html);

    LineWriter table(html, LineWriter::Mode::Append);
    WriteSourceListTable(out("s20.html"), refs.ReferenceCount, table);
    table.line("</p></td></tr></table></DIV><br>");
    table.close();

    AppendFile(folders.SysDir / "Text_00" / "termins.html", html);
    AppendFile(folders.SysDir / "Text_00" / "sovety.html", html);

    writeLines(out("sEpilog.html"), EpilogueLines(input.settings));
    AppendFile(out("sEpilog.html"), html);

    CopyFileWithDate(folders.images() / "b_plus.gif", out("b_plus.gif"));
    CopyFileWithDate(folders.images() / "b_minus.gif", out("b_minus.gif"));
    const int sunSign = input.chart.BirthPoints[1].sign;
    if (sunSign >= 1 && sunSign <= 12)
        CopyFileWithDate(folders.images() / signPicture(sunSign), out(signPicture(sunSign)));

    for (const std::string& section : SectionRunOrder()) fs::remove(out(section), ec);
    fs::remove(out("s20.html"), ec);
    fs::remove(out("sEpilog.html"), ec);

    // The new report is complete: it replaces the previous one, and the sign pictures of
    // earlier runs go (this run copied only the Sun's).
    renameInto(out(kPictureInProgress), out("horoscop.bmp"));
    renameInto(html, out("horoscop.html"));
    inProgress.done();
    for (int sign = 1; sign <= 12; ++sign)
        if (sign != sunSign) fs::remove(out(signPicture(sign)), ec);

    const fs::path archive = out("Horoscop.zip");
    ZipOutputFolder(output, archive);
    return {out("horoscop.html"), archive, refs.ReferenceCount, library.problems()};
}

}  // namespace korv

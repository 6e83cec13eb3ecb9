#include <array>

#include "common/numbers.h"
#include "common/text.h"
#include "report/html_text.h"
#include "report/sections.h"

namespace korv {

const std::string& MonthNameOf(int month) {
    static const std::string empty;
    static const std::array<std::string, 12> names = {
        cp(" января "), cp(" февраля "), cp(" марта "),    cp(" апреля "),  cp(" мая "),    cp(" июня "),
        cp(" июля "),   cp(" августа "), cp(" сентября "), cp(" октября "), cp(" ноября "), cp(" декабря ")};
    return month >= 1 && month <= 12 ? names[month - 1] : empty;
}

const std::string& SignNameOf(int sign) {
    static const std::string empty;
    static const std::array<std::string, 12> names = {
        cp("Овна"), cp("Тельца"), cp("Близнецов"), cp("Рака"),    cp("Льва"),    cp("Девы"),
        cp("Весов"), cp("Скорпиона"), cp("Стрельца"), cp("Козерога"), cp("Водолея"), cp("Рыб")};
    return sign >= 1 && sign <= 12 ? names[sign - 1] : empty;
}

namespace {

void writeBirthData(const TInData& b, LineWriter& w) {
    w.line("<div align=\"center\"> <table border=\"0\" width=\"90%\" cellpadding=\"2\" ");
    w.line("bordercolor=\"#999999\" style=\"border-collapse: collapse\"> ");
    w.line("<tr><td valign=\"top\" bgcolor=\"#FFFFFF\" width=\"300\" align=\"left\"> ");
    w.line("<p class=\"plnoi\"><b><font face=\"Arial\" size=\"3\" color=\"#990000\"> ");
    w.line(EscapeHtml(b.name) + "</font></b>");
    w.line(cp("<p class=\"plnoi\">Дата рождения: ") + intText(b.day) + MonthNameOf(b.month) + intText(b.year) +
           cp(" года<br>"));
    w.line(cp("Время рождения: ") + intText(b.hour) + cp(" час. ") + intText(b.minute) + cp(" мин.<br>"));
    w.line(cp("Место рождения: ") + EscapeHtml(b.city) + "<br>");
    const std::string& c = b.coordText;
    auto cut = [&](std::size_t first, std::size_t last) { return EscapeHtml(cutColumns(c, first, last)); };
    const std::string degrees = cp("гр. "), minutes = cp("мин. ");
    w.line("(" + cut(1, 3) + degrees + cut(5, 6) + minutes + cut(8, 9) + "&nbsp;&nbsp;&nbsp;" + cut(12, 13) +
           degrees + cut(15, 16) + minutes + cut(18, 19) + ")");
    w.line("</td> <td valign=\"top\" bgcolor=\"#FFFFFF\" align=\"center\">");
    w.line(cp("<p class=\"pc\"><font face=\"Arial\" size=\"5\" color=\"#990000\">Личный гороскоп</font></td>"));
    w.line("<td valign=\"top\" bgcolor=\"#FFFFFF\" align=\"center\" width=\"150\">");
    w.line("</td> </tr> </table> </div> <br>");
}

void writePicture(LineWriter& w) {
    w.line("<DIV align=\"center\">");
    w.line("<table border=\"0\" width=\"800\"><tr><td>");
    w.line("<img border=\"0\" src=\"horoscop.bmp\">");
    w.line("</td></tr></table> </DIV>");
}

void writePlanetsTable(const ChartRecord& chart, LineWriter& w) {
    w.line("<div align=\"center\">");
    w.line("<table border=\"1\" width=\"600\" cellspacing=\"0\" bordercolor=\"#0099CC\" cellpadding=\"2\">");
    w.line("<tr>");
    w.line(cp("  <td bgcolor=\"#FFFFFF\" height=\"18\" bordercolor=\"#C0C0C0\"><p class=\"pc\"><b>Планета</b></pc></td>"));
    w.line(cp("  <td bgcolor=\"#FFFFFF\" height=\"18\" bordercolor=\"#C0C0C0\"><p class=\"pc\"><b>Эфемерида</b></p></td>"));
    w.line(cp("  <td bgcolor=\"#FFFFFF\" height=\"18\" width=\"224\" bordercolor=\"#C0C0C0\"><p class=\"pc\">"
              "<b>Скорость, </b>град/сутки</p></td>"));
    w.line("</tr>");
    const std::string degrees = cp("гр. "), minutes = cp("мин. ");
    for (int p = 1; p <= kBodyCount; ++p) {
        const ChartPoint& pt = chart.BirthPoints[p];
        w.line("<td bgcolor=\"#FFFFFF\" class=\"pl\" height=\"18\" bordercolor=\"#C0C0C0\"><b>" + PointName(p) + "</td>");
        w.line("<td bgcolor=\"#FFFFFF\" class=\"pl\" height=\"18\" bordercolor=\"#C0C0C0\">" + intText(pt.degreeInSign) +
               degrees + intText(pt.minute) + minutes + SignNameOf(pt.sign) + "</td>");
        w.line("<td bgcolor=\"#FFFFFF\" class=\"pl\" width=\"224\" height=\"18\" bordercolor=\"#C0C0C0\">" +
               fixedText(pt.dailyMotion, 3) + "</td>");
        w.line("</tr>");
    }
    w.line("</table></div>");
    w.line("<div style=\"page-break-after:always\"></div>");
    w.line("<br><div align=\"center\"><table border=\"0\" width=\"100%\"><tr><td>");
    w.line("");
}

void writeIntroduction(LineWriter& w) {
    static const char* const lines[] = {
        "<br><br><hr color=\"#0099CC\" width=\"80%\" size=\"3\">",
        "<div align=\"center\"> <table border=\"0\" width=\"80%\">",
        "<tr><td>",
        "<p class=\"pc\"><font color=\"#0088BB\"><b>Далее следует описание ",
        "Вашего личного, индивидуального гороскопа. ",
        "Описывается личность человека, независимо от того, мужчина это или женщина. ",
        "В необходимых случаях делается уточнение. ",
        "В гороскопе не рассматриваются преступные наклонности и сексуальные отклонения.",
        "</b></font><br>",
        "<img border=\"0\" src=\"b_plus.gif\">Этим &nbsp;значком &nbsp;отмечены благоприятные &nbsp;факторы гороскопа<br>",
        "<img border=\"0\" src=\"b_minus.gif\">Этим значком отмечены неблагоприятные факторы гороскопа<br>",
        "Цифры в скобках указывают на астрологический источник описания ",
        "в разделе \"Справочные данные гороскопа\"",
        "</td></tr></table>",
        "<hr color=\"#0099CC\" width=\"80%\" size=\"3\">",
        "<br><br>",
        "",
    };
    for (const char* l : lines) w.line(cp(l));
}

}  // namespace

void WritePersonalitySection(const ReportContext& ctx, References& refs) {
    const TopicSection& section = PersonalitySection();
    const auto file = ctx.outputFile(section.file);
    LineWriter w(file);
    CopyWholeFile(ctx.folders.SysDir / "Text_00" / "header_3.html", w);
    writeBirthData(ctx.birth, w);
    writePicture(w);
    writePlanetsTable(ctx.chart, w);
    const int sunSign = ctx.chart.BirthPoints[1].sign;
    CopyWholeFile(ctx.libraryFolder(section.folder) / (std::to_string(sunSign) + (ctx.woman() ? "_F.html" : "_M.html")),
                  w);
    w.line("");
    writeIntroduction(w);
    w.line(section.title);
    w.close();
    WriteSectionLookups(ctx, section, file, refs);
    WriteSectionTail(file);
}

}  // namespace korv

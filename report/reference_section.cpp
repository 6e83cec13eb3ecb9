#include "common/text.h"
#include "report/sections.h"

namespace korv {

void WriteReferenceDataSection(const ReportContext& ctx) {
    static const char* const lines[] = {
        "<br><div align=\"center\">",
        "<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">",
        "<tr>",
        "<td width=\"150\" height=\"34\"><hr color=\"#C0C0C0\" size=\"15\"></td>",
        "<td height=\"34\" valign=\"top\" bgcolor=\"#99CCFF\">",
        "<p style=\"text-align: center\"><font size=\"4\"",
        "color=\"#336699\" face=\"Verdana\"><b>Справочные данные гороскопа</b></font></td>",
        "<td height=\"34\" width=\"150\"><hr color=\"#C0C0C0\" size=\"15\"></td>",
        "</tr>",
        "</table></div>",
        "<div align=\"center\">",
        "<table border=\"0\" width=\"90%\" cellspacing=\"0\" cellpadding=\"0\">",
        "<tr><td>",
        "<p>Для того, чтобы рассчитать и построить личный гороскоп, ",
        "  необходимо знать время рождения с точностью до нескольких минут. ",
        "  Если указанное при заказе гороскопа время будет отличаться от ",
        "  истинного времени рождения на 15-20 минут, уже могут возникнуть ",
        "  погрешности в интерпретации гороскопа. Это связано с тем, ",
        "  что при этом сдвигается сетка так называемых &quot;домов&quot; ",
        "  гороскопа, которые описывают тонкие личные качества человека, ",
        "  и описание может не совпадать с реальными качествами ",
        "  личности. В этой ситуации с известной осторожностью ",
        "  воспринимайте описания следующих элеменов:<ul>",
        "  <li>Куспид дома в знаке Зодиака</li>",
        "  <li>Альмутен дома в другом доме</li>",
        "  <li>Планета в доме</li> </ul>",
        "</td></tr>",
        "</table></div>",
    };
    LineWriter w(ctx.outputFile(kReferenceDataFile));
    for (const char* l : lines) w.line(cp(l));
    w.close();
}

}  // namespace korv

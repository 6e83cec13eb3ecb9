#include "astro/chart_record.h"

#include <cmath>
#include <vector>

#include "common/text.h"

namespace korv {

const std::array<std::uint8_t, 13> kClassicalSignRuler = {0, 5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};

ChartRecord::ChartRecord() : SignRuler(kClassicalSignRuler) {}

void FinishChartRecord(ChartRecord& chart) {
    ChartPoints& points = chart.BirthPoints;
    for (int i = 1; i <= 12; ++i) points[31 + i].longitude = chart.HouseCusps[i];

    for (int p = 1; p <= 43; ++p) {
        ChartPoint& pt = points[p];
        const long double L = pt.longitude;
        pt.degree = static_cast<std::int32_t>(std::trunc(L));
        pt.minute = static_cast<std::int32_t>(std::trunc((L - std::trunc(L)) * 60));
        pt.second = static_cast<std::int32_t>(std::trunc((L - pt.degree - pt.minute / 60.0L) * 3600));
        pt.sign = 1;
        pt.degreeInSign = pt.degree;
        while (pt.degreeInSign >= 30) {
            pt.degreeInSign -= 30;
            ++pt.sign;
        }
        pt.signDegree = pt.degreeInSign + 1;
    }
    for (int i = 1; i <= 12; ++i) {
        const int sign = points[31 + i].sign;
        chart.HouseRuler[i] = sign >= 1 && sign <= 12 ? chart.SignRuler[sign] : 0;
    }
    for (int i = 1; i <= 12; ++i) chart.CuspSign[i] = static_cast<std::uint8_t>(points[31 + i].sign);
}

namespace {

std::vector<std::string> toCp1251(std::initializer_list<const char*> names) {
    std::vector<std::string> out{""};
    for (const char* n : names) out.push_back(utf8ToCp1251(n));
    return out;
}

const std::string& pick(const std::vector<std::string>& table, int index) {
    static const std::string empty;
    return index >= 1 && index < static_cast<int>(table.size()) ? table[index] : empty;
}

}  // namespace

const std::string& PointName(int point) {
    static const std::vector<std::string> names = toCp1251({
        "Солнце", "Луна", "Меркурий", "Венера", "Марс", "Юпитер", "Сатурн", "Уран", "Нептун", "Плутон",
        "Хирон", "Прозерпина", "Сев.Лун.Узел", "Юж.Лун.Узел", "Белая Луна", "Черная Луна",
        "Колесо Фортуны", "Крест Судьбы", "Церера", "Паллада", "Юнона", "Веста", "Купидон", "Гадес",
        "Зевс", "Кронос", "Аполлон", "Адметос", "Вулкан", "Посейдон", "Вертекс",
        "Куспид I дома", "Куспид II дома", "Куспид III дома", "Куспид IV дома", "Куспид V дома",
        "Куспид VI дома", "Куспид VII дома", "Куспид VIII дома", "Куспид IX дома", "Куспид X дома",
        "Куспид XI дома", "Куспид XII дома", "Точка жизни",
    });
    return pick(names, point);
}

const std::string& SignName(int sign) {
    static const std::vector<std::string> names = toCp1251({
        "Овен", "Телец", "Близнецы", "Рак", "Лев", "Дева", "Весы", "Скорпион", "Стрелец", "Козерог",
        "Водолей", "Рыбы",
    });
    return pick(names, sign);
}

}  // namespace korv

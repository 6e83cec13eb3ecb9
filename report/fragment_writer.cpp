#include "report/fragment_writer.h"

#include <array>
#include <vector>

#include "common/text.h"

namespace korv {

const std::string kPlusIconLine = "<p><img border=\"0\" src=\"b_plus.gif\" >";
const std::string kMinusIconLine = "<p><img border=\"0\" src=\"b_minus.gif\">";

namespace {

const std::string kLabelLead = "&nbsp&nbsp&nbsp ";

// A 1-based table of Windows-1251 texts from UTF-8 literals.
class Table {
public:
    Table(std::initializer_list<const char*> utf8) {
        items_.emplace_back();
        for (const char* s : utf8) items_.push_back(cp(s));
    }
    const std::string& operator[](int i) const {
        static const std::string empty;
        return i >= 1 && i < static_cast<int>(items_.size()) ? items_[i] : empty;
    }

private:
    std::vector<std::string> items_;
};

const Table& planets() {
    static const Table t{"Солнце", "Луна", "Меркурий", "Венера", "Марс",
                         "Юпитер", "Сатурн", "Уран", "Нептун", "Плутон"};
    return t;
}
const Table& planetsWith() {
    static const Table t{"Солнцем", "Луной", "Меркурием", "Венерой", "Марсом",
                         "Юпитером", "Сатурном", "Ураном", "Нептуном", "Плутоном"};
    return t;
}
const Table& signsIn() {
    static const Table t{"Овне", "Тельце", "Близнецах", "Раке", "Льве", "Деве",
                         "Весах", "Скорпионе", "Стрельце", "Козероге", "Водолее", "Рыбах"};
    return t;
}
const Table& cusps() {
    static const Table t{"Куспид I дома в ",   "Куспид II дома в ", "Куспид III дома в ", "Куспид IV дома в ",
                         "Куспид V дома в ",   "Куспид VI дома в ", "Куспид VII дома в ", "Куспид VIII дома в ",
                         "Куспид IX дома в ",  "Куспид X дома в ",  "Куспид XI дома в ",  "Куспид XII дома в "};
    return t;
}
const Table& almutens() {
    static const Table t{"Альмутен I дома ",   "Альмутен II дома ", "Альмутен III дома ", "Альмутен IV дома ",
                         "Альмутен V дома ",   "Альмутен VI дома ", "Альмутен VII дома ", "Альмутен VIII дома ",
                         "Альмутен IX дома ",  "Альмутен X дома ",  "Альмутен XI дома ",  "Альмутен XII дома "};
    return t;
}
const Table& inHouses() {
    static const Table t{"в I доме",   "во II доме", "в III доме", "в IV доме",  "в V доме",   "в VI доме",
                         "в VII доме", "в VIII доме", "в IX доме", "в X доме",   "в XI доме",  "в XII доме"};
    return t;
}

void appendLine(const std::filesystem::path& file, std::string_view text) {
    LineWriter w(file, LineWriter::Mode::Append);
    w.write(text);
    w.close();
}

}  // namespace

const std::string& RefPlanet(int planet) { return planets()[planet]; }
const std::string& RefPlanetWith(int planet) { return planetsWith()[planet]; }
const std::string& RefSignIn(int sign) { return signsIn()[sign]; }
const std::string& RefCusp(int house) { return cusps()[house]; }
const std::string& RefAlmuten(int house) { return almutens()[house]; }
const std::string& RefInHouse(int house) { return inHouses()[house]; }

const std::string& RefAspect(int angle) {
    static const std::string empty;
    static const std::array<std::string, 5> names = {cp(" в соединении с "), cp(" в секстиле с "),
                                                     cp(" в квадратуре с "), cp(" в тригоне с "),
                                                     cp(" в оппозиции с ")};
    switch (angle) {
        case 0: return names[0];
        case 60: return names[1];
        case 90: return names[2];
        case 120: return names[3];
        case 180: return names[4];
        default: return empty;
    }
}

std::string ReferenceMarkText(std::int32_t n) {
    return "<font color=\"#0099CC\">&nbsp(" + std::to_string(n) + ")</font>";
}

std::optional<std::string> ReferenceLabel(const FragmentKey& k) {
    static const std::string afflicted = cp(" поражен");
    static const std::string in = cp(" в ");
    const bool mark = k.angle == 0 || k.angle == 50;
    if (k.house != 0 && k.sign != 0 && mark) return kLabelLead + RefCusp(k.house) + RefSignIn(k.sign);
    if (k.house != 0 && k.almutenHouse != 0 && mark) {
        std::string label = kLabelLead + RefAlmuten(k.house) + RefInHouse(k.almutenHouse);
        return k.angle == 50 ? label + afflicted : label;
    }
    if (k.house != 0 && k.planet != 0 && mark) {
        std::string label = kLabelLead + RefPlanet(k.planet) + " " + RefInHouse(k.house);
        return k.angle == 50 ? label + afflicted + "." : label;
    }
    if (k.sign != 0 && k.planet != 0 && mark) {
        std::string label = kLabelLead + RefPlanet(k.planet) + in + RefSignIn(k.sign);
        return k.angle == 50 ? label + afflicted + "." : label;
    }
    if (k.planet != 0 && k.partner != 0) return kLabelLead + RefPlanet(k.planet) + RefAspect(k.angle) + RefPlanetWith(k.partner);
    return std::nullopt;
}

std::string PlanetInSignInHouseLabel(int planet, int sign, int house, int mark) {
    std::string label = kLabelLead + RefPlanet(planet) + cp(" в ") + RefSignIn(sign) + " " + RefInHouse(house);
    return mark == 50 ? label + cp(" поражен.") : label;
}

std::string FragmentIcon(const FragmentKey& key) {
    if (key.angle == 0) return kPlusIconLine;
    if (key.angle == 50) return kMinusIconLine;
    return {};
}

std::string AspectFragmentIcon(const FragmentKey& key) {
    switch (key.angle) {
        case 0:
            switch (key.partner) {
                case 1: case 2: case 3: case 4: case 6: return kPlusIconLine;
                case 5: case 7: case 8: case 9: case 10: return kMinusIconLine;
                default: return {};
            }
        case 60: case 120: return kPlusIconLine;
        case 90: case 180: return kMinusIconLine;
        default: return {};
    }
}

void AddReference(const ReportContext& ctx, const FragmentKey& key, References& refs,
                  const std::optional<std::string>& label) {
    ++refs.ReferenceCount;
    refs.ReferenceMark = ReferenceMarkText(refs.ReferenceCount);
    appendLine(ctx.sourceList(), "<br>" + refs.ReferenceMark);
    const std::optional<std::string> text = label ? label : ReferenceLabel(key);
    if (text) appendLine(ctx.sourceList(), *text + "\r\n");
}

namespace {

void writeFound(const ReportContext& ctx, const std::filesystem::path& libraryFile,
                const std::filesystem::path& sectionFile, const FragmentKey& key, References& refs,
                const std::optional<std::string>& label, bool aspect) {
    const std::optional<std::string> text = ctx.library.find(libraryFile, key);
    if (!text) return;
    AddReference(ctx, key, refs, label);
    LineWriter section(sectionFile, LineWriter::Mode::Append);
    const std::string icon = aspect ? AspectFragmentIcon(key) : FragmentIcon(key);
    if (!icon.empty()) section.line(icon);
    section.write(*text);
    section.write(refs.ReferenceMark);
    if (aspect) section.write("\r\n");
    section.close();
}

}  // namespace

void WriteFragment(const ReportContext& ctx, const std::filesystem::path& libraryFile,
                   const std::filesystem::path& sectionFile, const FragmentKey& key, References& refs,
                   const std::optional<std::string>& label) {
    writeFound(ctx, libraryFile, sectionFile, key, refs, label, false);
}

void WriteAspectFragment(const ReportContext& ctx, const std::filesystem::path& libraryFile,
                         const std::filesystem::path& sectionFile, const FragmentKey& key, References& refs) {
    writeFound(ctx, libraryFile, sectionFile, key, refs, std::nullopt, true);
}

}  // namespace korv

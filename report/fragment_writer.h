// The fragment writers: the one road from the library into a section file. A found
// fragment gets an icon line (favourable or unfavourable), its text, and the coloured
// number "(n)" of its entry in the source list Output/s20.html, which AddReference
// writes with a label describing the key ("Луна во II доме").
// All strings here are Windows-1251.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "report/library.h"
#include "report/report_context.h"

namespace korv {

// <p><img border="0" src="b_plus.gif" >  (a blank before ">")
extern const std::string kPlusIconLine;
// <p><img border="0" src="b_minus.gif">
extern const std::string kMinusIconLine;

// Label tables of the source list; out-of-range indices give "".
const std::string& RefPlanet(int planet);      // "Солнце"
const std::string& RefPlanetWith(int planet);  // "Солнцем"
const std::string& RefSignIn(int sign);        // "Овне"
const std::string& RefCusp(int house);         // "Куспид I дома в "
const std::string& RefAlmuten(int house);      // "Альмутен I дома "
const std::string& RefInHouse(int house);      // "в I доме", "во II доме"
const std::string& RefAspect(int angle);       // " в соединении с " for 0; "" for no aspect angle

// "<font color="#0099CC">&nbsp(n)</font>".
std::string ReferenceMarkText(std::int32_t n);

// The label of a key by the first rule that applies (cusp, almuten, afflicted almuten,
// planet in house, afflicted planet in house, planet in sign, afflicted planet in sign,
// aspect); nothing when none does.
std::optional<std::string> ReferenceLabel(const FragmentKey& key);
// "Марс в Овне в V доме" (+ " поражен." for mark 50): a planet-in-sign fragment of a
// section that keys it by the section's house.
std::string PlanetInSignInHouseLabel(int planet, int sign, int house, int mark);

// The icon line before a fragment, or "" for none.
std::string FragmentIcon(const FragmentKey& key);        // by the affliction mark: 0 plus, 50 minus
std::string AspectFragmentIcon(const FragmentKey& key);  // by the aspect, conjunctions by the partner

// Numbers one fragment: advances the counter, sets the mark and appends "<br>", the
// mark and the label (from the key unless `label` is given) with a line end to the
// source list. Without a label no line end is written.
void AddReference(const ReportContext& ctx, const FragmentKey& key, References& refs,
                  const std::optional<std::string>& label = std::nullopt);

// Looks the key up in `libraryFile`; when found, numbers it and appends the icon line,
// the text and the mark to `sectionFile` (which must exist). WriteFragment leaves the
// line open after the mark; WriteAspectFragment ends it. A missing file or key writes
// nothing and leaves the counter alone.
void WriteFragment(const ReportContext& ctx, const std::filesystem::path& libraryFile,
                   const std::filesystem::path& sectionFile, const FragmentKey& key, References& refs,
                   const std::optional<std::string>& label = std::nullopt);
void WriteAspectFragment(const ReportContext& ctx, const std::filesystem::path& libraryFile,
                         const std::filesystem::path& sectionFile, const FragmentKey& key, References& refs);

}  // namespace korv

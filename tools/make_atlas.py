#!/usr/bin/env python3
"""Build the seven world-atlas place files of data/System.

Each file holds one world region: country lines ("*" in column 1, the name, then
eleven four-character zone fields) each followed by its city lines (name, latitude
and longitude in degrees and minutes at fixed columns, then a blank and the city's
time-zone name in columns 47-80). The files are Windows-1251 text with CR LF line
ends. Readers that stop at column 45 see the layout they always saw.

The cities (tools/atlas_sources.py):
- the places of the libgeonames gazetteer (at least 15,000 people), with the Russian
  name of its catalogue where it has one, else the Latin name, and its zone;
- the cities of the libgweather list that the gazetteer lacks (island capitals,
  small towns), except airfields and other places that are no settlements
  (NOT_SETTLEMENTS); each takes the zone of the nearest gazetteer place or zone
  reference city of its country;
- the reference city of every zone (zone.tab) that has no city near it.
A country line holds the cities of one country whose zones share one clock history
(tools/zone_history.py); a country with several histories gets one line each, named
after the zone with most cities: "Россия (Москва)", "Россия (Новосибирск)". The line's
eleven zone fields are the standard time of that history in the program's date
periods (tools/atlas_periods.py); cities added by hand use them.

Two cities of a country line never share their first 30 characters (the list
entry): such names get their region, shortened, in brackets ("Железногорск (Курская
обл.)"); the same place listed twice is kept once.

The output depends only on the installed package versions: running the script
twice gives identical files.

Usage: make_atlas.py [--out DIR] [--verbose] [--period-start]
       make_atlas.py --check [--out DIR]
DIR defaults to data/System of this repository. --check reads the files back and
reports per region the cities, the country lines and any two entries of a country
line that share their first 30 characters, with every layout fault.
"""

import argparse
import math
import os
import re
import sys
from collections import Counter, defaultdict
from decimal import ROUND_HALF_UP, Decimal

import atlas_periods
import atlas_sources as src
import zone_history as zh
from atlas_names import (MAX_COUNTRY, MAX_ENTRY, fix_mixed_script, is_russian,
                         name_key, shorten, sort_key, to_cp1251, with_region, zone_city)

# ---------------------------------------------------------------------------
# Regions.  Every country code that reaches the output must be listed here;
# an unlisted one stops the build so that nothing lands in a region by chance.
# ---------------------------------------------------------------------------
REGION_FILES = ["sng", "europa", "namerica", "samerica", "africa", "azia", "austral"]
REGIONS = {
    # The fifteen former Soviet republics, the Baltic states included.
    "sng": "AM AZ BY EE GE KG KZ LT LV MD RU TJ TM UA UZ",
    "europa": "AD AL AT AX BA BE BG CH CY CZ DE DK ES FI FO FR GB GG GI GR HR HU "
              "IE IM IS IT JE LI LU MC ME MK MT NL NO PL PT RO RS SE SI SJ SK SM "
              "VA XK",
    # North America with Central America, the Caribbean, Bermuda, Greenland.
    "namerica": "AG AI AN AW BB BL BM BQ BS BZ CA CR CU CW DM DO GD GL GP GT HN HT "
                "JM KN KY LC MF MQ MS MX NI PA PM PR SV SX TC TT US VC VG VI",
    "samerica": "AR BO BR CL CO EC FK GF GS GY PE PY SR UY VE",
    "africa": "AO BF BI BJ BW CD CF CG CI CM CV DJ DZ EG EH ER ET GA GH GM GN GQ "
              "GW KE KM LR LS LY MA MG ML MR MU MW MZ NA NE NG RE RW SC SD SH SL "
              "SN SO SS ST SZ TD TF TG TN TZ UG YT ZA ZM ZW",
    # Asia with the Middle East, Turkey, Indonesia and East Timor.
    "azia": "AE AF BD BH BN BT CN HK ID IL IN IO IQ IR JO JP KH KP KR KW LA LB LK "
            "MM MN MO MV MY NP OM PH PK PS QA SA SG SY TH TL TR TW VN YE",
    # Australia, New Zealand and the Pacific islands.
    "austral": "AS AU CC CK CX FJ FM GU KI MH MP NC NF NR NU NZ PF PG PN PW SB TK "
               "TO TV UM VU WF WS",
}
REGION_OF = {cc: reg for reg, codes in REGIONS.items() for cc in codes.split()}
# Antarctica is left out: its places are research stations.
SKIPPED_COUNTRIES = {"AQ"}

# Short Russian country names where the ISO name is official and long, or
# where the ISO catalogue has no Russian entry.
COUNTRY_NAMES = {
    "AN": "Нидерландские Антилы",
    "BN": "Бруней",
    "CD": "ДР Конго",
    "CF": "Центральноафриканская Респ.",
    "DO": "Доминиканская Республика",
    "FK": "Фолклендские острова",
    "FM": "Микронезия",
    "GB": "Великобритания",
    "GS": "Южная Георгия",
    "IO": "Брит. терр. в Индийском ок.",
    "IR": "Иран",
    "KP": "КНДР",
    "LA": "Лаос",
    "MP": "Северные Марианские о-ва",
    "PG": "Папуа-Новая Гвинея",
    "RU": "Россия",
    "SH": "Остров Святой Елены",
    "SY": "Сирия",
    "TR": "Турция",
    "TW": "Тайвань",
    "UM": "Внешние малые о-ва США",
    "US": "США",
    "VA": "Ватикан",
    "XK": "Косово",
}

# Zone names for the split country lines where the zone's reference city is
# a small town of a US state (the state says more), or its Russian name is long.
ZONE_LABELS = {
    "America/Indiana/Indianapolis": "Индианаполис",
    "America/Indiana/Knox": "Индиана, Нокс",
    "America/Indiana/Marengo": "Индиана, Маренго",
    "America/Indiana/Petersburg": "Индиана, Петербург",
    "America/Indiana/Tell_City": "Индиана, Телл-Сити",
    "America/Indiana/Vevay": "Индиана, Вивей",
    "America/Indiana/Vincennes": "Индиана, Винсеннс",
    "America/Indiana/Winamac": "Индиана, Винамак",
    "America/Kentucky/Louisville": "Луисвилл",
    "America/Kentucky/Monticello": "Кентукки, Монтичелло",
    "America/North_Dakota/Beulah": "Сев. Дакота, Бойла",
    "America/North_Dakota/Center": "Сев. Дакота, Сентер",
    "America/North_Dakota/New_Salem": "Сев. Дакота, Нью-Сейлем",
    "America/Menominee": "Мичиган, Меномини",
    "Atlantic/Azores": "Азорские о-ва",
    "Atlantic/Canary": "Канары",
    "Pacific/Galapagos": "Галапагосы",
    "Pacific/Marquesas": "Маркизы",
    "Pacific/Gambier": "Гамбье",
}

# Russian names of zone reference cities that the package templates leave
# untranslated.
ZONE_NAMES_RU = {
    "America/Ciudad_Juarez": "Сьюдад-Хуарес",
    "America/Coyhaique": "Койаике",
    "America/Nuuk": "Нуук",
    "Pacific/Kanton": "Кантон",
}

# Zone reference cities whose zone id names an island or area, not a city:
# the name they get when added as a city.
ZONE_CITY_NAMES = {
    "Asia/Kamchatka": "Петропавловск-Камчатский",
    "Asia/Sakhalin": "Южно-Сахалинск",
    "Atlantic/Cape_Verde": "Прая",
    "Atlantic/South_Georgia": "Кинг-Эдуард-Пойнт",
    "Atlantic/St_Helena": "Джеймстаун",
    "Indian/Chagos": "Диего-Гарсия",
    "Indian/Kerguelen": "Порт-о-Франсе",
    "Pacific/Chatham": "Уаитанги",
    "Pacific/Easter": "Ханга-Роа",
    "Pacific/Efate": "Порт-Вила",
    "Pacific/Fiji": "Сува",
    "Pacific/Galapagos": "Пуэрто-Айора",
    "Pacific/Gambier": "Рикитеа",
    "Pacific/Marquesas": "Атуона",
    "Pacific/Nauru": "Ярен",
    "Pacific/Pitcairn": "Адамстаун",
}

# Words shortened in a country name when a split line would not fit.
COUNTRY_ABBREVIATIONS = [("Французская", "Фр."), ("острова", "о-ва"),
                         ("Острова", "О-ва"), ("Внешние малые", "Малые"),
                         ("Республика", "Респ.")]


NEAR_KM = 30.0       # a zone reference city this close to a listed city is a duplicate
COVERED_KM = 15.0    # a listed city this close to a gazetteer place is covered by it
SAME_NAME_KM = 80.0  # a listed city this close to a gazetteer place of its name is that place
NEIGHBOUR_KM = 60.0  # a listed city takes the zone of the nearest gazetteer place this close
LOCAL_KM = 300.0     # gazetteer places this close show which zones are near a listed city
REF_REACH_KM = 500.0  # and zone reference cities this close
REF_KM = 25.0        # a listed city this close to a zone reference city is that city
NEAR_REF_KM = 250.0  # a listed city this close to a zone reference city is in its zone
SOLAR_HOURS = 1.5    # a state's zone farther than this from a city's solar time is doubtful
SAME_PLACE_KM = 5.0  # two entries of one name this close are one place listed twice

# Xinjiang's unofficial time: the gazetteer gives its cities Asia/Urumqi, but births
# are recorded in China's official Beijing time.
ZONE_FOR_CITIES = {"Asia/Urumqi": "Asia/Shanghai"}

# Cities of the libgweather list near a zone border that the rules of
# zone_of_listed_city place on its wrong side: (country code, name, state).
LISTED_CITY_ZONES = {
    ("CA", "Castlegar", "British Columbia"): "America/Vancouver",
    ("CA", "Nelson", "British Columbia"): "America/Vancouver",
    ("CA", "Mary's Harbour", "Newfoundland and Labrador"): "America/St_Johns",
    ("CA", "Saint Anthony", "Newfoundland and Labrador"): "America/St_Johns",
    ("US", "Apalachicola", "Florida"): "America/New_York",
    ("US", "Baker", "Montana"): "America/Denver",
    ("US", "Glendive", "Montana"): "America/Denver",
    ("US", "Iron Mountain", "Michigan"): "America/Menominee",
    ("US", "Sidney", "Montana"): "America/Denver",
}

# Cities of the libgweather list that the gazetteer lacks and that are airfields,
# military bases, research stations or other places nobody is born in: (country
# code, Latin name).
NOT_SETTLEMENTS = {
    ("AU", "Forest Hill"), ("AU", "Learmonth"), ("AU", "Macquarie"), ("BO", "Viro Viro"),
    ("BR", "Cachimbo"), ("CA", "Bagotville"), ("CA", "Cape Dyer"), ("CA", "Cape Parry"),
    ("CA", "Cape Race"), ("CA", "Ennadai"), ("CA", "Eureka"), ("CA", "Mont-Apica"),
    ("CA", "Onefour"), ("CA", "Shingle Point"), ("CA", "Valcartier Station"), ("DE", "Hahn"),
    ("GB", "Butes"), ("GB", "Coningsby"), ("GB", "Gramisdale"), ("GB", "Kinloss"),
    ("GB", "Kintra"), ("GB", "Kirmington"), ("GB", "Marham"), ("GB", "Sumburgh"),
    ("GB", "Valley"), ("GL", "Danmarkshavn"), ("GL", "Dundas"), ("GL", "Thule"), ("GS", "South Georgia"),
    ("GT", "Tikal"), ("IL", "Shizzafon"), ("IO", "Chagos"), ("IR", "Dayrestan"),
    ("IT", "Paneveggio"), ("JP", "Ozuki"), ("LY", "Baninah"), ("NO", "Gardermoen"),
    ("NO", "Svartnes"), ("SA", "Al Wuday'ah"), ("TN", "El Borma"),
    ("UM", "Midway"), ("UM", "Wake"), ("UM", "Wake Island, Wake Island Army Airfield Airport"),
    ("US", "Chandalar"), ("US", "Deadhorse"), ("US", "Edwards"), ("US", "Eureka Roadhouse"),
    ("US", "Fairchild"), ("US", "Hanford"), ("US", "Kaumalapau"), ("US", "Mercury"),
    ("US", "Patuxent"), ("US", "Peason"), ("US", "Quillayute"), ("US", "Sandberg"),
    ("US", "Stampede"), ("US", "West Thumb"),
}


# ---------------------------------------------------------------------------
# The cities
# ---------------------------------------------------------------------------
class Grid:
    """Places by country and whole degree, for finding the places near a point."""

    def __init__(self, places):
        self.cells = defaultdict(list)
        for p in places:
            self.add(p)

    def add(self, p):
        self.cells[(p.cc, int(p.lat // 1), int(p.lon // 1))].append(p)

    def near(self, cc, lat, lon, km):
        """[(distance, place)] of the country's places within `km`, nearest first."""
        # Cells a degree wide: a degree of latitude is 111 km, one of longitude less
        # by the cosine of the latitude.
        lat_reach = int(km / 110) + 1
        lon_reach = min(179, int(km / (110 * max(math.cos(math.radians(abs(lat) + lat_reach)), 0.01))) + 1)
        found = []
        for i in range(-lat_reach, lat_reach + 1):
            for j in range(-lon_reach, lon_reach + 1):
                lon_cell = (int(lon // 1) + j + 180) % 360 - 180
                for p in self.cells.get((cc, int(lat // 1) + i, lon_cell), ()):
                    d = src.distance_km(lat, lon, p.lat, p.lon)
                    if d <= km:
                        found.append((d, p))
        return sorted(found, key=lambda e: (e[0], e[1].latin))


def standard_hours_now(tz, cache={}):
    """The zone's standard time today (its last yearly rule or period), hours."""
    if tz not in cache:
        h = zh.history_from_tzdata(tz)
        offset, kind = h.at(zh.ut_seconds(atlas_periods.LAST_PERIOD_END.year))
        cache[tz] = (offset - (3600 if kind == "D" else 0)) / 3600
    return cache[tz]


def plausible(tz, lon):
    """A zone whose standard time lies within SOLAR_HOURS of the place's solar time."""
    gap = (lon / 15 - standard_hours_now(tz) + 12) % 24 - 12
    return abs(gap) <= SOLAR_HOURS


def zone_of_listed_city(city, grid, refs_by_country):
    """The zone of a city of the libgweather list, which gives some cities their own
    zone but most only their state's or their country's. In this order:
    - a zone's reference city (within REF_KM) takes that zone;
    - the city's own zone in the list is kept when it lies near its solar time;
    - the zone that LISTED_CITY_ZONES gives it;
    - the nearest gazetteer place of the city's state within LOCAL_KM, or for a city
      without a state the nearest within NEIGHBOUR_KM, gives its zone;
    - a zone reference city within NEAR_REF_KM gives its zone;
    - the state's zone in the list is kept when it lies near the solar time;
    - the nearest gazetteer place within LOCAL_KM or zone reference city within
      REF_REACH_KM gives its zone; with none of them the list's zone stays."""
    refs = sorted((src.distance_km(city.lat, city.lon, lat, lon), tz)
                  for lat, lon, tz in refs_by_country.get(city.cc, ()))
    if refs and refs[0][0] <= REF_KM:
        return refs[0][1]
    if city.tz_from == "city" and city.tz and plausible(city.tz, city.lon):
        return city.tz
    if (city.cc, city.latin, city.region_latin) in LISTED_CITY_ZONES:
        return LISTED_CITY_ZONES[(city.cc, city.latin, city.region_latin)]
    near = grid.near(city.cc, city.lat, city.lon, LOCAL_KM)
    # Across a state border the zone may change: the places of the city's state count.
    same_state = [(d, p) for d, p in near if not city.region_latin or (
        p.region_latin and name_key(p.region_latin) == name_key(city.region_latin))]
    if same_state and (same_state[0][0] <= NEIGHBOUR_KM or city.region_latin):
        return same_state[0][1].tz
    if refs and refs[0][0] <= NEAR_REF_KM:
        return refs[0][1]
    if city.tz_from == "state" and city.tz and plausible(city.tz, city.lon):
        return city.tz
    local = [(d, p.tz) for d, p in near] + [(d, tz) for d, tz in refs if d <= REF_REACH_KM]
    if local:
        return min(local)[1]
    return city.tz or refs[0][1]


def gather(canonical, log):
    """Every city of the atlas: the gazetteer's places, the listed cities it lacks
    and the zone reference cities without a city near them."""
    places = []
    for p in src.read_geonames():
        if p.cc in SKIPPED_COUNTRIES:
            continue
        p.tz = ZONE_FOR_CITIES.get(canonical(p.tz), canonical(p.tz))
        places.append(p)
    # A place given a zone of another country (a town of Uzbekistan with Bishkek's)
    # takes the zone of the nearest place of its own country that has one of its zones.
    country_zones = {cc: {canonical(tz) for tz in zones} for cc, zones in src.zones_of_countries().items()}
    own = Grid(p for p in places if p.tz in country_zones.get(p.cc, {p.tz}))
    for p in places:
        if p.tz not in country_zones.get(p.cc, {p.tz}):
            nearest = own.near(p.cc, p.lat, p.lon, 1000)
            if nearest:
                log.append(f"{p.cc} {p.latin}: {p.tz} is not a zone of its country, {nearest[0][1].tz} taken")
                p.tz = nearest[0][1].tz
    grid = Grid(places)
    refs = src.read_zone_tab()
    refs_by_country = defaultdict(list)
    for cc, lat, lon, tz in refs:
        if canonical(tz) not in ZONE_FOR_CITIES:
            refs_by_country[cc].append((lat, lon, canonical(tz)))

    kept = []
    for c in src.read_gweather(SKIPPED_COUNTRIES, log):
        c.tz = ZONE_FOR_CITIES.get(canonical(c.tz), canonical(c.tz)) if c.tz else ""
        near = grid.near(c.cc, c.lat, c.lon, SAME_NAME_KM)
        same_name = [p for d, p in near
                     if name_key(p.latin) == name_key(c.latin)
                     or (p.name and c.name and name_key(p.name) == name_key(c.name))]
        if same_name:
            # The gazetteer's place; it takes the list's Russian name if it has none.
            p = same_name[0]
            if not p.name and c.name and is_russian(c.name):
                p.name = c.name
            continue
        if near and near[0][0] <= COVERED_KM:
            log.append(f"{c.cc} {c.latin}: left out, {near[0][0]:.0f} km from {near[0][1].latin}")
            continue
        if (c.cc, c.latin) in NOT_SETTLEMENTS:
            log.append(f"{c.cc} {c.latin}: left out, not a settlement")
            continue
        c.tz = zone_of_listed_city(c, grid, refs_by_country)
        log.append(f"{c.cc} {c.latin}: kept from the city list ({c.tz})")
        kept.append(c)
    for c in kept:
        grid.add(c)
    places.extend(kept)

    # A zone's reference city is added where the country has no city near it, and
    # none of its name either (zone.tab puts Aqtau at Fort-Shevchenko).
    zone_ru = src.tz_city_names_ru()
    names_of = defaultdict(set)
    for p in places:
        names_of[p.cc].add(name_key(p.latin))
    for cc, lat, lon, ref_tz in refs:
        # The city is named after the zone.tab entry ("America/St_Barthelemy"), its
        # clock is the canonical zone's ("America/Puerto_Rico").
        tz = canonical(ref_tz)
        latin = zone_city(ref_tz)
        if (cc in SKIPPED_COUNTRIES or tz in ZONE_FOR_CITIES or (cc, latin) in NOT_SETTLEMENTS
                or grid.near(cc, lat, lon, NEAR_KM) or name_key(latin) in names_of[cc]):
            continue
        name = ZONE_CITY_NAMES.get(ref_tz) or zone_ru.get(ref_tz) or ZONE_NAMES_RU.get(ref_tz)
        p = src.Place("zone.tab", cc, latin, name, None, tz, lat, lon)
        log.append(f"{cc} {p.latin}: added, the reference city of {ref_tz}")
        places.append(p)
        grid.add(p)
    return places


# ---------------------------------------------------------------------------
# Country lines
# ---------------------------------------------------------------------------
def history_key(tz, cache={}):
    """What makes two zones one clock history: every change from the first on; the
    offset of local mean time is the city's own, so it does not count."""
    if tz not in cache:
        h = zh.history_from_tzdata(tz)

        def period(offset, kind):
            return (None if kind == "L" else offset, kind)
        cache[tz] = (period(*h.initial), tuple((ut, *period(o, k)) for ut, o, k in h.all_changes()))
    return cache[tz]


def zone_label(tz, zone_ru, places):
    """The Russian name of a zone's reference city for a country line: as the
    gazetteer spells it among the line's cities, else as tzdata's templates do."""
    if tz in ZONE_LABELS:
        return ZONE_LABELS[tz]
    latin = zone_city(tz)
    for p in places:
        if p.name and name_key(p.latin) == name_key(latin):
            return p.name
    return zone_ru.get(tz) or ZONE_NAMES_RU.get(tz) or latin


def country_lines(cc, members, country_name, zone_ru, zone_rank, at_period_start):
    """[(line name, zone fields, places)] of one country: one line per history."""
    by_history = defaultdict(list)
    for p in members:
        by_history[history_key(p.tz)].append(p)
    base = to_cp1251(country_name or cc)
    if len(by_history) == 1:
        (group,) = by_history.values()
        fields = atlas_periods.period_fields(group[0].tz, at_period_start)
        return [(shorten(base, MAX_COUNTRY), fields, group)]
    labels = []
    for group in by_history.values():
        # Named after the zone with most cities; on a tie, the one that zone.tab
        # lists first (it lists a country's main zones first).
        counts = Counter(p.tz for p in group)
        rep = min(counts, key=lambda tz: (-counts[tz], zone_rank.get(tz, len(zone_rank)), tz))
        labels.append((to_cp1251(zone_label(rep, zone_ru, group)), rep, group))
    # One base name for all lines of a country, abbreviated if the longest line
    # would not fit; a label is cut only as a last resort.
    longest = max(len(label) for label, _, _ in labels)
    for long_word, short in COUNTRY_ABBREVIATIONS:
        if len(base) + longest + 3 <= MAX_COUNTRY:
            break
        base = base.replace(long_word, short)
    lines = []
    for label, rep, group in labels:
        name = f"{base} ({shorten(label, MAX_COUNTRY - len(base) - 3)})"
        lines.append((name, atlas_periods.period_fields(rep, at_period_start), group))
    names = Counter(name for name, _, _ in lines)
    if max(names.values()) > 1:
        sys.exit(f"two zone histories of {cc} share a line name: {names.most_common(1)[0][0]}")
    return lines


def coordinates_label(p):
    """A place's coordinates for the brackets after its name: "53°08' 46°35'"."""
    def angle(value):
        minutes = round(abs(value) * 60)
        return f"{'-' if value < 0 and minutes else ''}{minutes // 60}°{minutes % 60:02d}'"
    return f"{angle(p.lat)} {angle(p.lon)}"


def unique_entries(line_name, group, log):
    """The cities of a country line with names whose first MAX_ENTRY characters (the
    list entry after its blank) differ. A place listed twice (the same name and region
    within SAME_PLACE_KM, or with the same population) is kept once; other places of
    one name get their region in brackets, and where the region is the same too, all
    but the largest get their coordinates instead."""
    def clashes(places):
        by_entry = defaultdict(list)
        for p in places:
            by_entry[p.display[:MAX_ENTRY]].append(p)
        return [sorted(g, key=rank) for g in by_entry.values() if len(g) > 1]

    def rank(p):  # gazetteer first, then the more populous
        return (p.source != "geonames", -p.population, p.latin, p.lat, p.lon)

    def same_place(p, q):
        if p.region and q.region and p.region != q.region:
            return False
        return (src.distance_km(p.lat, p.lon, q.lat, q.lon) <= SAME_PLACE_KM
                or (p.population > 0 and p.population == q.population))

    places = list(group)
    for same in clashes(places):
        for i, p in enumerate(same[1:], 1):
            if any(same_place(p, q) for q in same[:i]):
                log.append(f"{p.cc} {p.latin}: left out, listed twice in {line_name}")
                places.remove(p)
    base = {id(p): p.display for p in places}
    for same in clashes(places):
        for p in same:
            if p.region:
                p.display = with_region(base[id(p)], p.region)
    for same in clashes(places):
        for p in same[1:]:
            p.display = with_region(base[id(p)], coordinates_label(p))
    for same in clashes(places):
        for p in same[1:]:
            log.append(f"{p.cc} {p.latin}: left out, a second {p.display} in {line_name}")
            places.remove(p)
    return places


def build(at_period_start=False):
    zones, links = zh.zones_and_links()

    def canonical(tz):
        return links.get(tz, tz)

    log = []
    places = gather(canonical, log)
    missing = sorted({p.cc for p in places} - set(REGION_OF))
    if missing:
        sys.exit(f"no region for country codes: {' '.join(missing)}")
    for p in places:
        p.display = shorten(fix_mixed_script(to_cp1251(p.name or p.latin)))
        p.region = to_cp1251(p.region) if p.region else None
        if len(p.tz) > 34:
            sys.exit(f"zone name longer than columns 47-80: {p.tz}")

    countries = src.country_names(COUNTRY_NAMES)
    zone_ru = src.tz_city_names_ru()
    zone_rank = {}
    for _, _, _, tz in src.read_zone_tab():
        zone_rank.setdefault(canonical(tz), len(zone_rank))
    by_country = defaultdict(list)
    for p in places:
        by_country[p.cc].append(p)
    files = defaultdict(list)   # region -> [(country line name, fields, cities)]
    for cc, members in sorted(by_country.items()):
        for name, fields, group in country_lines(cc, members, countries.get(cc), zone_ru, zone_rank,
                                                 at_period_start):
            files[REGION_OF[cc]].append((name, fields, unique_entries(name, group, log)))
    return files, log


# ---------------------------------------------------------------------------
# Line layout and writing
# ---------------------------------------------------------------------------
def split_angle(value):
    """(degrees text, minutes text) for a signed angle: the sign rides on the
    degrees, even when they are 0; minutes are two digits."""
    total = int(Decimal(str(abs(value) * 60)).quantize(Decimal(1), rounding=ROUND_HALF_UP))
    deg, minutes = divmod(total, 60)
    sign = "-" if value < 0 and total > 0 else ""
    return f"{sign}{deg}", f"{minutes:02d}"


def clamp(value, limit):
    """Keep an angle inside the degrees the files can hold (±limit°59')."""
    edge = limit + 59 / 60
    return max(-edge, min(edge, value))


def city_line(name, lat, lon, tz=""):
    lat_deg, lat_min = split_angle(clamp(lat, 89))
    lon_deg, lon_min = split_angle(clamp(lon, 179))
    line = (" " + name.ljust(30) + lat_deg.rjust(3) + " " + lat_min
            + " " + lon_deg.rjust(4) + " " + lon_min)
    assert len(line) == 45, line
    return line + (" " + tz if tz else "")


def country_line(name, fields):
    line = "*" + name.ljust(29) + "  " + "".join(fields)
    assert len(line) == 76, line
    return line


def write_files(files, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    summary = {}
    for region in REGION_FILES:
        lines = []
        count = 0
        for name, fields, members in sorted(files.get(region, []), key=lambda e: sort_key(e[0])):
            lines.append(country_line(name, fields))
            for c in sorted(members, key=lambda c: (sort_key(c.display), c.lat, c.lon)):
                lines.append(city_line(c.display, c.lat, c.lon, c.tz))
                count += 1
        data = "".join(line + "\r\n" for line in lines).encode("cp1251")
        path = os.path.join(out_dir, region + ".wdt")
        tmp = path + ".tmp"
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, path)
        summary[region] = (len(files.get(region, [])), count)
    return summary


# ---------------------------------------------------------------------------
# Reading the files back as the program does
# ---------------------------------------------------------------------------
# Cities that must stand under a given country line (None: any line of the region)
# with a given zone: (file, country line, city, zone).
SPOT_CHECKS = [
    ("sng", "Россия (Москва)", "Москва", "Europe/Moscow"),
    ("sng", "Россия (Новосибирск)", "Новосибирск", "Asia/Novosibirsk"),
    ("sng", None, "Саратов", "Europe/Saratov"),
    ("sng", "Беларусь", "Минск", "Europe/Minsk"),
    ("sng", None, "Алматы", "Asia/Almaty"),
    ("europa", "Великобритания", "Лондон", "Europe/London"),
    ("europa", "Франция", "Париж", "Europe/Paris"),
    ("azia", "Индонезия (Макассар)", "Денпасар", "Asia/Makassar"),
    ("namerica", "США (Нью-Йорк)", "Нью-Йорк", "America/New_York"),
    ("namerica", "США (Лос-Анджелес)", "Москва", "America/Los_Angeles"),
]
# Cities of the former USSR a user looks for first, and entries that must be gone
# (airfields and misspellings of the first atlas).
EXPECTED_SNG = ("Сочи Тольятти Махачкала Тула Рязань Тверь Курск Белгород Липецк Смоленск Владимир "
                "Вологда Петрозаводск Саранск Магнитогорск Курган Норильск Новороссийск Грозный "
                "Запорожье Херсон Полтава Винница Бухара Батуми Клайпеда Ашхабад Энгельс Гянджа").split()
GONE = {"sng": "Теличка Мокрое Ашхабат Энгель Ганча".split(), "azia": ["Урумки"],
        "namerica": ["Лос-Анжелес"]}
MIN_SNG_CITIES = 1500


def check_files(out_dir):
    """Read the files back, print per region the cities, the country lines and the
    entries of a country line that share their first 30 characters, and every
    fault; True when there is none."""
    faults = []
    histories, links, _ = zh.read_table(os.path.join(out_dir, "zones.dat"))
    known_zones = set(histories) | set(links)
    blocks = {}
    print(f"{'file':<14}{'cities':>7}{'lines':>7}{'repeated entries':>18}")
    for region in REGION_FILES:
        path = os.path.join(out_dir, region + ".wdt")
        raw = open(path, "rb").read()
        if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b"") \
                or b"\r" in raw.replace(b"\r\n", b""):
            faults.append(f"{region}: lines not ended by CR LF")
        key = None
        cities = repeated = 0
        for number, line in enumerate(raw.decode("cp1251").split("\r\n")[:-1], 1):
            where = f"{region}.wdt:{number}"
            if line.startswith("*"):
                zones = [line[32 + 4 * k:36 + 4 * k] for k in range(11)]
                if len(line) != 76 or line[30:32] != "  " or not all(
                        re.fullmatch(r" *-?\d+(\.\d+)?", z) for z in zones):
                    faults.append(f"{where}: bad country line {line!r}")
                key = (region, line[1:30].rstrip())
                if key in blocks:
                    faults.append(f"{where}: country line repeated")
                blocks[key] = (line, {})
                continue
            if key is None:
                faults.append(f"{where}: city before any country line")
                continue
            m = re.fullmatch(r" (.{30})( {0,2}-?\d{1,2}) (\d\d) ( {0,3}-?\d{1,3}) (\d\d)(?: (\S{1,34}))?", line)
            if not m:
                faults.append(f"{where}: bad city line {line!r}")
                continue
            lat, lat_min, lon, lon_min = int(m[2]), int(m[3]), int(m[4]), int(m[5])
            if abs(lat) > 89 or abs(lon) > 179 or lat_min > 59 or lon_min > 59:
                faults.append(f"{where}: coordinates out of range")
            if m[6] is None:
                faults.append(f"{where}: no zone name")
            elif m[6] not in known_zones:
                faults.append(f"{where}: zone {m[6]} is not in zones.dat")
            entries = blocks[key][1]
            if line[:30] in entries:
                repeated += 1
                faults.append(f"{where}: entry {line[:30].strip()!r} repeated in {key[1]}")
            entries.setdefault(line[:30], (line, m[6]))
            cities += 1
        lines = sum(1 for k in blocks if k[0] == region)
        print(f"{region + '.wdt':<14}{cities:>7}{lines:>7}{repeated:>18}")
        if region == "sng" and cities < MIN_SNG_CITIES:
            faults.append(f"sng: {cities} cities, fewer than {MIN_SNG_CITIES}")

    def find(region, country, city):
        entry = (" " + city).ljust(30)[:30]
        for (reg, name), (_, entries) in blocks.items():
            if reg == region and (country is None or name == country) and entry in entries:
                return name, entries[entry][1]
        return None, None

    for region, country, city, tz in SPOT_CHECKS:
        line, zone = find(region, country, city)
        if zone != tz:
            faults.append(f"{region}: {city} under {country or 'any line'}: {line} {zone}, expected {tz}")
    for city in EXPECTED_SNG:
        if find("sng", None, city)[0] is None:
            faults.append(f"sng: no {city}")
    for region, names in GONE.items():
        for city in names:
            if find(region, None, city)[0] is not None:
                faults.append(f"{region}: {city} is still there")
    for fault in faults:
        print("FAULT", fault)
    return not faults


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "data", "System"),
                        help="folder for the .wdt files (and of zones.dat)")
    parser.add_argument("--verbose", action="store_true",
                        help="also list every city kept from the city list, added or left out")
    parser.add_argument("--check", action="store_true",
                        help="only read the files back and check them")
    parser.add_argument("--period-start", action="store_true",
                        help="zone fields from the standard time a week into each period "
                             "instead of the one in force for most of it")
    args = parser.parse_args()
    out_dir = os.path.normpath(args.out)
    if args.check:
        ok = check_files(out_dir)
        print("check passed" if ok else "check failed")
        sys.exit(0 if ok else 1)

    files, log = build(args.period_start)
    summary = write_files(files, out_dir)
    if args.verbose:
        for entry in log:
            print(f"  {entry}")
    total_countries = total_cities = 0
    for region in REGION_FILES:
        lines, count = summary[region]
        total_countries += lines
        total_cities += count
        print(f"{region + '.wdt':<14}{lines:>5} country lines {count:>6} cities")
    print(f"{'total':<14}{total_countries:>5} country lines {total_cities:>6} cities")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Build the seven world-atlas place files of data/System.

Each file holds one world region: country lines ("*" in column 1, the name,
then eleven four-character zone fields) each followed by its city lines (name,
latitude and longitude in degrees and minutes at fixed columns).  The files
are Windows-1251 text with CR LF line ends.

Sources, all Debian packages read at their installed paths:
  libgweather-4-common  world city list with coordinates and time-zone ids,
                        and its Russian catalogue of city names
  iso-codes             Russian country names
  tzdata                time-zone history (through zoneinfo), zone.tab for
                        the reference city of every zone, and the Russian
                        names of those cities from the package's templates

A country line carries the standard time (UTC offset less daylight saving)
of its cities in each of the program's date periods: field 1 the time of
1925, each later field the time in force for most of its period.  A country
whose cities do not all share one such history gets one line per history,
named after the zone with most cities: "Россия (Москва)", "Россия (Омск)".

The city list gives many cities only their country's main zone; a city that
is a zone's own reference city in zone.tab takes that zone, and the
reference cities the list lacks are added (Addis Ababa, Ust-Nera, ...).

The output depends only on the installed package versions: running the
script twice gives identical files.

Usage: make_atlas.py [--out DIR] [--verbose] [--period-start]
       make_atlas.py --check [--out DIR]
DIR defaults to data/System of this repository.
"""

import argparse
import bisect
import datetime as dt
import gettext
import gzip
import json
import math
import os
import re
import sys
import unicodedata
import xml.etree.ElementTree as ET
import zoneinfo
from collections import Counter, defaultdict
from decimal import ROUND_HALF_UP, Decimal

GWEATHER_XML = "/usr/share/libgweather-4/Locations.xml"
GWEATHER_MO = "/usr/share/locale/ru/LC_MESSAGES/libgweather-4.0-locations.mo"
ISO_JSON = "/usr/share/iso-codes/json/iso_3166-1.json"
ISO_MO = "/usr/share/locale/ru/LC_MESSAGES/iso_3166-1.mo"
ZONE_TAB = "/usr/share/zoneinfo/zone.tab"
TZDATA_TEMPLATES = "/var/lib/dpkg/info/tzdata.templates"

# ---------------------------------------------------------------------------
# Zone periods.  Field 1 serves every date before 1930-06-16 and holds the
# standard time of 1925.  Field k (2..10) serves the period that starts on the
# (k-1)-th date below and runs to the next one; the last period is open, and
# is weighed up to LAST_PERIOD_END.  Field 11 is read by the program but used
# by no period, so it repeats field 10.
# ---------------------------------------------------------------------------
FIELD1_DATE = dt.date(1925, 7, 1)
PERIOD_STARTS = [dt.date(*d) for d in (
    (1930, 6, 16), (1931, 2, 9), (1956, 12, 1), (1981, 4, 1), (1982, 4, 1),
    (1989, 3, 26), (1990, 3, 25), (1990, 9, 30), (1992, 1, 19))]
LAST_PERIOD_END = dt.date(2026, 1, 1)
PERIOD_START_GRACE_DAYS = 6
TIMELINE_START = dt.date(1920, 1, 1)

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
# Antarctica is left out: its one city is the South Pole station, whose
# latitude (-90) the files cannot hold, and nobody looks for a birth place there.
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

MAX_NAME = 25      # the birth record keeps 25 characters of a city name
MAX_COUNTRY = 29   # columns 2-30 of a country line
NEAR_KM = 30.0     # a zone reference city this close to a listed city is a duplicate
REF_KM = 25.0      # a listed city this close to a zone reference city is that city

# Xinjiang's unofficial time: China's cities keep Beijing time.
ZONE_NOT_FOR_CITIES = {"Asia/Urumqi"}
# Listed cities near another zone's reference city across a zone border.
KEEP_ZONE_HINT = {("US", "Lawrenceville")}


# ---------------------------------------------------------------------------
# Text helpers
# ---------------------------------------------------------------------------
LATIN_FOLD = {"ß": "ss", "ø": "o", "Ø": "O", "æ": "ae", "Æ": "AE", "œ": "oe",
              "Œ": "OE", "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ð": "d",
              "Ð": "D", "þ": "th", "Þ": "Th", "ı": "i", "ʻ": "'", "’": "'",
              "‘": "'", "`": "'", "´": "'", "–": "-", "—": "-"}


def to_cp1251(text):
    """The text with every character that Windows-1251 lacks replaced:
    accented Latin letters lose their accents, a few others are spelled out."""
    text = text.replace("—", "-").replace("’", "'")
    out = []
    for ch in text:
        try:
            ch.encode("cp1251")
            out.append(ch)
            continue
        except UnicodeEncodeError:
            pass
        if ch in LATIN_FOLD:
            out.append(LATIN_FOLD[ch])
            continue
        base = "".join(c for c in unicodedata.normalize("NFKD", ch)
                       if not unicodedata.combining(c))
        try:
            base.encode("cp1251")
            out.append(base)
        except UnicodeEncodeError:
            pass  # nothing sensible to write: drop it
    return re.sub(r"\s+", " ", "".join(out)).strip()


LATIN_LOOKALIKES = str.maketrans("AaBCcEeHKMOoPpTXxy", "АаВСсЕеНКМОоРрТХху")


def fix_mixed_script(name):
    """A Russian name typed with a Latin look-alike letter ("Mариетта")
    gets the Cyrillic letter; names wholly in Latin are left alone."""
    if not re.search("[А-Яа-яЁё]", name):
        return name
    words = []
    for word in name.split(" "):
        if re.search("[А-Яа-яЁё]", word) and re.search("[A-Za-z]", word):
            word = word.translate(LATIN_LOOKALIKES)
        words.append(word)
    return " ".join(words)


def shorten(name, limit=MAX_NAME):
    """A name of at most `limit` characters: first drop a parenthesised or
    comma-separated addition, then abbreviate common words, then cut."""
    if len(name) <= limit:
        return name
    for pattern in (r"\s*\([^)]*\)\s*$", r"\s*,.*$", r"\s*/.*$"):
        cut = re.sub(pattern, "", name)
        if cut and len(cut) <= limit:
            return cut
    for long_word, short in (("Sainte", "Ste."), ("Saint", "St."), ("Fort", "Ft."),
                             ("Mount", "Mt."), ("Santa", "Sta."), ("San ", "S. "),
                             ("Санкт-", "С.-"), ("остров", "о."), ("Остров", "О."),
                             ("реки ", "р. ")):
        name = name.replace(long_word, short)
        if len(name) <= limit:
            return name
    return name[:limit].rstrip(" -,.")


STATE_ABBREVIATIONS = [[("Северная ", "Сев. "), ("Южная ", "Юж. "), ("Западная ", "Зап. "),
                        ("Округ ", "окр. ")],
                       [("Северная ", "С. "), ("Южная ", "Ю. "), ("Западная ", "З. "),
                        ("Округ ", "о. ")]]


def with_state(name, state, limit=MAX_NAME):
    """"Name (State)" within `limit` characters: the state's words are
    abbreviated if need be, then the name is cut."""
    label = state
    for table in STATE_ABBREVIATIONS:
        if len(name) + len(label) + 3 <= limit:
            break
        label = state
        for long_word, short in table:
            label = label.replace(long_word, short)
    room = max(limit - len(label) - 3, 1)
    return f"{name[:room].rstrip(' -,.')} ({label})"


def zone_city(tz):
    """The English name of a zone's reference city: Europe/Kyiv -> Kyiv."""
    return tz.split("/")[-1].replace("_", " ")


def sort_key(text):
    """Russian alphabetical order (ё with е), case-insensitive, Latin first."""
    folded = text.casefold().replace("ё", "е")
    return (folded, text)


# ---------------------------------------------------------------------------
# Zone history
# ---------------------------------------------------------------------------
class ZoneTimeline:
    """Standard time of one time-zone id, day by day.

    The database marks each stretch of time as summer time or not, but does
    not record the standard offset under a summer time, and that offset may
    change together with the clocks (Soviet regions on 1981-04-01 and
    1991-03-31).  So the amount of summer time is taken from the nearest
    non-summer stretches before and after it: the smaller positive difference
    wins, the larger one being a change of standard time.  Where summer time
    is recorded as a negative winter offset (Ireland since 1971), the winter
    time counts as standard, since the user declares summer time separately.
    """

    def __init__(self, tz_id, start=TIMELINE_START, end=LAST_PERIOD_END):
        zone = zoneinfo.ZoneInfo(tz_id)

        # Runs of days with the same clock, sampled at local noon:
        # [first day, UTC offset, summer time?, uninhabited ("-00")?].
        runs = []
        day = start
        noon = dt.time(12)
        while day < end:
            local = dt.datetime.combine(day, noon)
            current = [zone.utcoffset(local), zone.dst(local) != dt.timedelta(0),
                       zone.tzname(local) == "-00"]
            if not runs or runs[-1][1:] != current:
                runs.append([day, *current])
            day += dt.timedelta(days=1)
        self.starts = [r[0] for r in runs]
        self.end = end
        self.std = [self._standard(runs, i) for i in range(len(runs))]
        # "-00" marks a place not yet inhabited (Arctic and Antarctic
        # stations); it takes the first standard time used there.
        for i in range(len(runs) - 2, -1, -1):
            if runs[i][3]:
                self.std[i] = self.std[i + 1]

    @staticmethod
    def _standard(runs, i):
        _, offset, summer, _ = runs[i]
        if summer:
            amounts = []
            for j in (range(i - 1, -1, -1), range(i + 1, len(runs))):
                other = next((runs[k][1] for k in j if not runs[k][2] and not runs[k][3]), None)
                if other is not None and offset > other:
                    amounts.append(offset - other)
            return offset - min(amounts) if amounts else offset
        year = dt.timedelta(days=366)
        before = [r[1] for r in runs[:i] if r[2] and runs[i][0] - r[0] <= year]
        after = [r[1] for r in runs[i + 1:] if r[2] and r[0] - runs[i][0] <= year]
        if before and after and before[-1] < offset and after[0] < offset:
            return max(before[-1], after[0])
        return offset

    def at(self, day):
        """Standard time in force on `day`."""
        if day < self.starts[0]:
            raise ValueError(f"{day} is before the timeline")
        return self.std[bisect.bisect_right(self.starts, day) - 1]

    def prevailing(self, first, end):
        """The standard time in force for the most days of [first, end);
        on a tie, the one in force earlier."""
        days = Counter()
        order = {}
        i = bisect.bisect_right(self.starts, first) - 1
        while i < len(self.starts) and self.starts[i] < end:
            lo = max(first, self.starts[i])
            hi = min(end, self.starts[i + 1] if i + 1 < len(self.starts) else self.end)
            days[self.std[i]] += (hi - lo).days
            order.setdefault(self.std[i], len(order))
            i += 1
        return max(days, key=lambda v: (days[v], -order[v]))


def format_zone(delta):
    """Hours as the program's four-character right-aligned zone field, with as
    many decimals (at most two) as fit: 3, 5.5, 5.75, -10.5 becomes -11."""
    hours = Decimal(int(delta.total_seconds())) / Decimal(3600)
    for places in (2, 1, 0):
        q = hours.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)
        text = f"{q:f}"
        if "." in text:
            text = text.rstrip("0").rstrip(".")
        if text in ("-0", ""):
            text = "0"
        if len(text) <= 4:
            return text.rjust(4)
    raise ValueError(f"zone {hours} does not fit four characters")


def zone_history(tz_id, at_start=False):
    """The eleven zone fields of a time-zone id, as four-character strings.

    Field 1 is the standard time in force in 1925.  Each later field is the
    standard time in force for the longest part of its period.  The value at
    the very start of a period would be wrong for years wherever a country
    moved soon after a boundary: the boundaries follow Soviet decrees, which
    often took effect days later (the decree of 16 June 1930 from 21 June),
    Azerbaijan moved from +3 to +4 three months after 1 December 1956 and
    eight months after 19 January 1992, Georgia and Armenia soon after.

    With `at_start`, a field is instead the standard time in force on the
    seventh day of its period (a week in, so that the decrees above count
    from the period's first day)."""
    line = ZoneTimeline(tz_id)
    fields = [format_zone(line.at(FIELD1_DATE))]
    ends = PERIOD_STARTS[1:] + [LAST_PERIOD_END]
    for first, end in zip(PERIOD_STARTS, ends):
        if at_start:
            value = line.at(first + dt.timedelta(days=PERIOD_START_GRACE_DAYS))
        else:
            value = line.prevailing(first, end)
        fields.append(format_zone(value))
    fields.append(fields[-1])
    return tuple(fields)


# ---------------------------------------------------------------------------
# Sources
# ---------------------------------------------------------------------------
def load_catalogue(path):
    with open(path, "rb") as f:
        return gettext.GNUTranslations(f)


def tz_city_names_ru():
    """Russian names of the zones' reference cities ('Europe/Moscow' ->
    'Москва'), from the translated choices in the tzdata package templates."""
    names = {}
    with open(TZDATA_TEMPLATES, encoding="utf-8") as f:
        blocks = f.read().split("\n\n")
    for block in blocks:
        head = re.search(r"^Template: tzdata/Zones/(\S+)$", block, re.M)
        latin = re.search(r"^Choices: (.*)$", block, re.M)
        russian = re.search(r"^Choices-ru\.UTF-8: (.*)$", block, re.M)
        if not (head and latin and russian):
            continue
        keys, values = latin.group(1).split(", "), russian.group(1).split(", ")
        if len(keys) != len(values):
            continue
        for key, value in zip(keys, values):
            value = value.split("/")[-1].strip()
            if re.search("[А-Яа-яЁё]", value):
                names[f"{head.group(1)}/{key}"] = value
    names.update(ZONE_NAMES_RU)
    return names


def canonical_zones():
    """Map of every zone id to its canonical id (links resolved)."""
    canon = {}
    path = "/usr/share/zoneinfo/tzdata.zi"
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                parts = line.split()
                if len(parts) == 3 and parts[0] == "L":
                    canon[parts[2]] = parts[1]
    return canon


def parse_dms(text):
    """zone.tab coordinates: +DDMM[SS]+DDDMM[SS] to (lat, lon) degrees."""
    m = re.fullmatch(r"([+-]\d{2})(\d{2})(\d{2})?([+-]\d{3})(\d{2})(\d{2})?", text)
    if not m:
        raise ValueError(text)

    def value(d, mi, s):
        sign = -1 if d.startswith("-") else 1
        return sign * (abs(int(d)) + int(mi) / 60 + int(s or 0) / 3600)
    return value(*m.group(1, 2, 3)), value(*m.group(4, 5, 6))


def distance_km(a, b):
    la1, lo1, la2, lo2 = map(math.radians, (a[0], a[1], b[0], b[1]))
    c = (math.sin(la1) * math.sin(la2)
         + math.cos(la1) * math.cos(la2) * math.cos(lo1 - lo2))
    return 6371.0 * math.acos(max(-1.0, min(1.0, c)))


def element_name(element):
    """(English name, translation context) of a Locations.xml element."""
    tag = element.find("_name")
    if tag is None:
        tag = element.find("name")
    return tag.text.strip(), tag.get("msgctxt")


def translate(catalogue, text, context):
    return catalogue.pgettext(context, text) if context else catalogue.gettext(text)


def read_locations():
    path = GWEATHER_XML
    if not os.path.exists(path) and os.path.exists(path + ".gz"):
        with gzip.open(path + ".gz") as f:
            return ET.parse(f).getroot()
    return ET.parse(path).getroot()


class City:
    def __init__(self, cc, name, lat, lon, tz, state=None, latin=None):
        self.cc, self.name, self.lat, self.lon = cc, name, lat, lon
        self.tz, self.state, self.latin = tz, state, latin or name


def gather(cat, log):
    """Cities of the world list with their Russian names and zone hints."""
    root = read_locations()
    cities = []
    for region in root.findall("region"):
        for country in region.findall("country"):
            cc = country.findtext("iso-code").strip()
            if cc in SKIPPED_COUNTRIES:
                continue
            country_tz = (country.findtext("tz-hint") or "").strip()
            parents = [(country, None, country_tz)]
            for state in country.findall("state"):
                name, ctx = element_name(state)
                parents.append((state, translate(cat, name, ctx),
                                (state.findtext("tz-hint") or country_tz).strip()))
            for parent, state_name, parent_tz in parents:
                for city in parent.findall("city"):
                    name, ctx = element_name(city)
                    coords = city.findtext("coordinates")
                    tz = (city.findtext("tz-hint") or parent_tz).strip()
                    if not coords or not tz:
                        log.append(f"{cc} {name}: left out, no coordinates or zone")
                        continue
                    lat, lon = map(float, coords.split())
                    if not (-90 <= lat <= 90 and -180 <= lon <= 180):
                        log.append(f"{cc} {name}: left out, impossible coordinates {lat} {lon}")
                        continue
                    cities.append(City(cc, translate(cat, name, ctx), lat, lon, tz,
                                       state_name, name))
    return cities


def read_zone_tab():
    """(country code, latitude, longitude, zone id) of every zone's
    reference city."""
    refs = []
    with open(ZONE_TAB, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cc, coords, tz = line.rstrip("\n").split("\t")[:3]
            refs.append((cc, *parse_dms(coords), tz))
    return refs


def current_standard_hours(tz):
    zone = zoneinfo.ZoneInfo(tz)
    local = dt.datetime(LAST_PERIOD_END.year, 1, 15, 12, tzinfo=dt.timezone.utc).astimezone(zone)
    return (local.utcoffset() - local.dst()).total_seconds() / 3600


def correct_zones(cities, refs, canon, log):
    """Mend the zone hints of the city list with the zone reference cities.

    The list gives many cities only their country's or state's main zone.
    A city that is a zone's own reference city (within REF_KM of it) takes
    that zone: Saratov, Tomsk, Atyrau, Mendoza, Cancun and so on.  A city
    whose hinted zone is more than three hours away from its solar time is
    an error in the list and takes the zone of its country's nearest
    reference city."""
    by_country = defaultdict(list)
    for cc, lat, lon, tz in refs:
        if tz not in ZONE_NOT_FOR_CITIES:
            by_country[cc].append((lat, lon, tz))
    for c in cities:
        own = canon.get(c.tz, c.tz)
        candidates = by_country.get(c.cc, [])
        near = [(distance_km((lat, lon), (c.lat, c.lon)), tz) for lat, lon, tz in candidates]
        close = sorted((d, tz) for d, tz in near if d < REF_KM and tz != own)
        if close and (c.cc, c.latin) not in KEEP_ZONE_HINT:
            log.append(f"{c.cc} {c.latin}: {c.tz} -> {close[0][1]} (reference city)")
            c.tz = close[0][1]
            continue
        solar = c.lon / 15
        gap = (solar - current_standard_hours(c.tz) + 12) % 24 - 12
        if abs(gap) > 3 and len(candidates) > 1:
            tz = min(near)[1]
            if tz != own:
                log.append(f"{c.cc} {c.latin}: {c.tz} -> {tz} (far from its zone)")
                c.tz = tz


def add_zone_cities(cities, refs, zone_ru, canon, cat):
    """Add the reference city of every zone that the city list lacks
    (capitals such as Addis Ababa and several Russian zone cities)."""
    by_country = defaultdict(list)
    for c in cities:
        by_country[c.cc].append(c)
    added = []
    for cc, lat, lon, tz in refs:
        if cc in SKIPPED_COUNTRIES or cc not in REGION_OF:
            continue
        if any(distance_km((lat, lon), (c.lat, c.lon)) < NEAR_KM for c in by_country[cc]):
            continue
        latin = zone_city(tz)
        name = ZONE_CITY_NAMES.get(tz) or zone_ru.get(tz)
        if not name:
            translated = cat.gettext(latin)
            name = translated if translated != latin else latin
        added.append(City(cc, name, lat, lon, canon.get(tz, tz), latin=latin))
    cities.extend(added)
    return added


def country_names():
    with open(ISO_JSON, encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    cat = load_catalogue(ISO_MO)
    names = {}
    for e in entries:
        name = cat.gettext(e["name"])
        if "common_name" in e:
            common = cat.gettext(e["common_name"])
            if re.search("[А-Яа-яЁё]", common):
                name = common
        names[e["alpha_2"]] = name
    names.update(COUNTRY_NAMES)
    return names


# ---------------------------------------------------------------------------
# Line layout
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


def city_line(name, lat, lon):
    lat_deg, lat_min = split_angle(clamp(lat, 89))
    lon_deg, lon_min = split_angle(clamp(lon, 179))
    line = (" " + name.ljust(30) + lat_deg.rjust(3) + " " + lat_min
            + " " + lon_deg.rjust(4) + " " + lon_min)
    assert len(line) == 45, line
    return line


def country_line(name, fields):
    line = "*" + name.ljust(29) + "  " + "".join(fields)
    assert len(line) == 76, line
    return line


# ---------------------------------------------------------------------------
# Build
# ---------------------------------------------------------------------------
def build(at_period_start=False):
    canon = canonical_zones()
    zone_ru = tz_city_names_ru()
    cat = load_catalogue(GWEATHER_MO)
    log = []
    cities = gather(cat, log)
    refs = read_zone_tab()
    correct_zones(cities, refs, canon, log)
    added = add_zone_cities(cities, refs, zone_ru, canon, cat)
    log.extend(f"{c.cc} {c.latin}: added as {c.name} ({c.tz})" for c in added)
    countries = country_names()
    zone_rank = {}
    for _, _, _, tz in refs:
        zone_rank.setdefault(tz, len(zone_rank))

    missing = sorted({c.cc for c in cities} - set(REGION_OF))
    if missing:
        sys.exit(f"no region for country codes: {' '.join(missing)}")

    # Names: Windows-1251 and at most MAX_NAME characters; a name found
    # twice in a country gets its state (region) added.
    for c in cities:
        if c.name == c.latin and c.latin == zone_city(c.tz) and c.tz in zone_ru:
            c.name = zone_ru[c.tz]   # untranslated capital such as Kigali
        c.name = shorten(fix_mixed_script(to_cp1251(c.name)))
        if c.state:
            c.state = to_cp1251(c.state)
    per_country = defaultdict(list)
    for c in cities:
        per_country[c.cc].append(c)
    for cc, group in per_country.items():
        counts = Counter(c.name for c in group)
        for c in group:
            if counts[c.name] > 1 and c.state:
                c.name = with_state(c.name, c.state)
        # Whatever is still doubled is one place listed twice (or two that
        # cannot be told apart); keep the first in a stable order.
        seen, kept = set(), []
        for c in sorted(group, key=lambda c: (c.name, c.lat, c.lon, c.tz)):
            if c.name in seen:
                log.append(f"{cc} {c.latin}: left out, a second {c.name}")
                continue
            seen.add(c.name)
            kept.append(c)
        per_country[cc] = kept

    # Group each country's cities by zone history.
    history_cache = {}

    def history(tz):
        if tz not in history_cache:
            history_cache[tz] = zone_history(tz, at_period_start)
        return history_cache[tz]

    files = defaultdict(list)   # region -> [(country line name, fields, cities)]
    split_notes = []
    for cc, group in per_country.items():
        by_history = defaultdict(list)
        for c in group:
            by_history[history(c.tz)].append(c)
        base = to_cp1251(countries.get(cc) or cc)
        if len(by_history) == 1:
            (fields, members), = by_history.items()
            files[REGION_OF[cc]].append((shorten(base, MAX_COUNTRY), fields, members))
            continue
        labels = {}
        for fields, members in by_history.items():
            # Named after the zone with most cities; on a tie, the one that
            # zone.tab lists first (it lists a country's main zones first).
            tz_counts = Counter(canon.get(c.tz, c.tz) for c in members)
            rep = min(tz_counts, key=lambda tz: (-tz_counts[tz],
                                                 zone_rank.get(tz, len(zone_rank)), tz))
            label = ZONE_LABELS.get(rep) or zone_ru.get(rep)
            if not label:
                latin = zone_city(rep)
                translated = cat.gettext(latin)
                label = translated if translated != latin else latin
            labels[fields] = (to_cp1251(label), rep)
        # One base name for all lines of a country, abbreviated if the
        # longest line would not fit; a label is cut only as a last resort.
        longest = max(len(label) for label, _ in labels.values())
        for long_word, short in COUNTRY_ABBREVIATIONS:
            if len(base) + longest + 3 <= MAX_COUNTRY:
                break
            base = base.replace(long_word, short)
        used = set()
        for fields, (label, rep) in sorted(labels.items(), key=lambda e: e[1]):
            name = f"{base} ({shorten(label, MAX_COUNTRY - len(base) - 3)})"
            if name in used:
                sys.exit(f"two zone histories of {cc} share the name {name}")
            used.add(name)
            split_notes.append((name, rep, "".join(fields)))
            files[REGION_OF[cc]].append((name, fields, by_history[fields]))
    return files, log, split_notes


def write_files(files, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    summary = {}
    for region in REGION_FILES:
        lines = []
        count = 0
        for name, fields, members in sorted(files.get(region, []), key=lambda e: sort_key(e[0])):
            lines.append(country_line(name, fields))
            for c in sorted(members, key=lambda c: sort_key(c.name)):
                lines.append(city_line(c.name, c.lat, c.lon))
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
PERIOD_BOUNDARIES_JD = [2423906.5, 2426143.5, 2426381.5, 2435808.5, 2444695.5,
                        2445060.5, 2447611.5, 2447975.5, 2448164.5, 2448640.5]

# Spot checks: (file, country line, city, [(date, zone hours)]), the zones
# as tzdata gives them for those dates.
SPOT_CHECKS = [
    ("sng", "Россия (Москва)", "Москва",
     [((1925, 7, 1), 2), ((1930, 6, 15), 2), ((1930, 6, 16), 3), ((1990, 5, 17), 3),
      ((2000, 1, 15), 3)]),
    ("sng", "Россия (Новосибирск)", "Новосибирск", [((1970, 1, 15), 7), ((2000, 1, 15), 6)]),
    ("sng", "Украина", "Киев", [((1970, 1, 15), 3), ((2000, 1, 15), 2)]),
    ("sng", "Азербайджан", "Баку", [((1970, 1, 15), 4), ((2000, 1, 15), 4)]),
    ("namerica", "США (Нью-Йорк)", "Нью-Йорк", [((1925, 7, 1), -5), ((2000, 1, 15), -5)]),
    ("europa", "Великобритания", "Лондон", [((1950, 1, 15), 0), ((2000, 1, 15), 0)]),
    ("europa", "Ирландия", "Дублин", [((1985, 7, 1), 0)]),
    ("azia", "Япония", "Токио", [((1950, 1, 15), 9), ((2000, 1, 15), 9)]),
    ("austral", "Австралия (Сидней)", "Сидней", [((1950, 1, 15), 10), ((2000, 1, 15), 10)]),
    ("azia", "Непал", "Катманду", [((1970, 1, 15), 5.5), ((2000, 1, 15), 5.75)]),
]


def julian_day_at_0h(d, m, y):
    """Julian day at 0 h of a Gregorian date, as the program computes it."""
    if m <= 2:
        y, m = y - 1, m + 12
    a = int(y / 100)
    b = 2 - a + int(a / 4)
    return d + b + int(365.25 * y) + int(30.6001 * (m + 1)) + 1720994.5


def zone_for_date(country_line_text, date):
    """The zone the program takes from a country line for a birth date."""
    fields = [float(country_line_text[32 + 4 * k:36 + 4 * k] or 0)
              for k in range(11)]
    jd = julian_day_at_0h(date[2], date[1], date[0])
    period = 1 + sum(1 for b in PERIOD_BOUNDARIES_JD if jd >= b)
    return fields[0] if period <= 2 else fields[period - 2]


def check_files(out_dir):
    """Read the files back and report every fault; True when none."""
    faults = []
    blocks = {}
    for region in REGION_FILES:
        path = os.path.join(out_dir, region + ".wdt")
        raw = open(path, "rb").read()
        if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b"") \
                or b"\r" in raw.replace(b"\r\n", b""):
            faults.append(f"{region}: lines not ended by CR LF")
        countries = set()
        key = None
        for number, line in enumerate(raw.decode("cp1251").split("\r\n")[:-1], 1):
            where = f"{region}.wdt:{number}"
            if line.startswith("*"):
                zones = [line[32 + 4 * k:36 + 4 * k] for k in range(11)]
                if len(line) != 76 or line[30:32] != "  " or not all(
                        re.fullmatch(r" *-?\d+(\.\d+)?", z) for z in zones):
                    faults.append(f"{where}: bad country line {line!r}")
                key = line[:30]
                if key in countries:
                    faults.append(f"{where}: country line repeated")
                countries.add(key)
                blocks[(region, line[1:30].rstrip())] = (line, {})
                continue
            if key is None:
                faults.append(f"{where}: city before any country line")
                continue
            m = re.fullmatch(r" (.{30})( {0,2}-?\d{1,2}) (\d\d) ( {0,3}-?\d{1,3}) (\d\d)", line)
            if not m or len(line) != 45:
                faults.append(f"{where}: bad city line {line!r}")
                continue
            lat, lat_min, lon, lon_min = int(m[2]), int(m[3]), int(m[4]), int(m[5])
            if abs(lat) > 89 or abs(lon) > 179 or lat_min > 59 or lon_min > 59:
                faults.append(f"{where}: coordinates out of range")
            if len(m[1].rstrip()) > MAX_NAME:
                faults.append(f"{where}: name longer than {MAX_NAME}: {m[1].rstrip()}")
            cities = blocks[(region, key[1:].rstrip())][1]
            if line[:30] in cities:
                faults.append(f"{where}: city entry repeated in its country")
            cities.setdefault(line[:30], line)
    for region, country, city, expected in SPOT_CHECKS:
        block = blocks.get((region, country))
        if block is None:
            faults.append(f"{region}: no country line {country}")
            continue
        if (" " + city).ljust(30)[:30] not in block[1]:
            faults.append(f"{country}: no city {city}")
        for date, zone in expected:
            got = zone_for_date(block[0], date)
            if got != zone:
                faults.append(f"{country}, {date}: zone {got}, expected {zone}")
    for fault in faults:
        print("FAULT", fault)
    return not faults


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "data", "System"),
                        help="folder for the .wdt files")
    parser.add_argument("--verbose", action="store_true",
                        help="also list the split country lines and every city the script "
                             "added, moved to another zone or left out")
    parser.add_argument("--check", action="store_true",
                        help="only read the files back and check their layout and "
                             "a few cities' zones")
    parser.add_argument("--period-start", action="store_true",
                        help="zone fields from the standard time a week into each period "
                             "instead of the one in force for most of it")
    args = parser.parse_args()
    out_dir = os.path.normpath(args.out)
    if args.check:
        ok = check_files(out_dir)
        print("check passed" if ok else "check failed")
        sys.exit(0 if ok else 1)

    files, log, split_notes = build(args.period_start)
    summary = write_files(files, out_dir)
    if args.verbose:
        for name, rep, fields in sorted(split_notes):
            print(f"  split  {name:<30} {rep:<32} {fields}")
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

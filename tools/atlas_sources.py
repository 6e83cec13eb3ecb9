"""The sources of the atlas, all Debian packages read at their installed paths:

  libgeonames0, libgeonames-common  the gazetteer: places of at least 15,000 people
                        with coordinates, population, region and time-zone name, and
                        its gettext catalogue of Russian names (tools/geonames_dump.py)
  libgweather-4-common  the world city list the atlas was first made from, with its
                        Russian catalogue: the source of the places the gazetteer lacks
  iso-codes             Russian country names
  tzdata                zone.tab (every zone's reference city) and the Russian names of
                        those cities from the package's templates
"""

import gettext
import gzip
import json
import math
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

GWEATHER_XML = "/usr/share/libgweather-4/Locations.xml"
GWEATHER_MO = "/usr/share/locale/ru/LC_MESSAGES/libgweather-4.0-locations.mo"
ISO_JSON = "/usr/share/iso-codes/json/iso_3166-1.json"
ISO_MO = "/usr/share/locale/ru/LC_MESSAGES/iso_3166-1.mo"
ZONE_TAB = "/usr/share/zoneinfo/zone.tab"
ZONE1970_TAB = "/usr/share/zoneinfo/zone1970.tab"
TZDATA_TEMPLATES = "/var/lib/dpkg/info/tzdata.templates"
GEONAMES_DUMP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "geonames_dump.py")


class Place:
    """A place of a source. `name` is its Russian name when the source has one, else
    None; `latin` its Latin name; `region` (admin1: state, oblast) in Russian where
    known, else Latin; `tz` its time-zone name; `population` 0 when unknown."""

    def __init__(self, source, cc, latin, name, region, tz, lat, lon, population=0):
        self.source, self.cc, self.latin, self.name = source, cc, latin, name
        self.region, self.tz, self.lat, self.lon = region, tz, lat, lon
        self.population = population

    def __repr__(self):
        return f"{self.cc} {self.latin} ({self.source}, {self.tz})"


def distance_km(a_lat, a_lon, b_lat, b_lon):
    la1, lo1, la2, lo2 = map(math.radians, (a_lat, a_lon, b_lat, b_lon))
    c = (math.sin(la1) * math.sin(la2)
         + math.cos(la1) * math.cos(la2) * math.cos(lo1 - lo2))
    return 6371.0 * math.acos(max(-1.0, min(1.0, c)))


def load_catalogue(path):
    with open(path, "rb") as f:
        return gettext.GNUTranslations(f)


# ---------------------------------------------------------------------------
# The gazetteer
# ---------------------------------------------------------------------------
def _geonames_rows(language):
    env = {k: v for k, v in os.environ.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")}
    if language:
        env["LANGUAGE"] = language
    out = subprocess.run([sys.executable, GEONAMES_DUMP], env=env, check=True,
                         capture_output=True, text=True, encoding="utf-8").stdout
    return [line.split("\t") for line in out.splitlines()]


def read_geonames():
    """Every place of libgeonames, with its Latin and (where the catalogue has one)
    Russian name."""
    latin, russian = _geonames_rows(None), _geonames_rows("ru")
    if len(latin) != len(russian):
        raise RuntimeError("libgeonames gave two different place lists")
    places = []
    for (name, region, cc, tz, lat, lon, pop), (ru_name, ru_region, *_) in zip(latin, russian):
        place = Place("geonames", cc, name, ru_name if re.search("[А-Яа-яЁё]", ru_name) else None,
                      ru_region or region, tz, float(lat), float(lon), int(pop))
        place.region_latin = region
        places.append(place)
    return places


# ---------------------------------------------------------------------------
# The world city list of libgweather
# ---------------------------------------------------------------------------
def _element_name(element):
    """(English name, translation context) of a Locations.xml element."""
    tag = element.find("_name")
    if tag is None:
        tag = element.find("name")
    return tag.text.strip(), tag.get("msgctxt")


def _translate(catalogue, text, context):
    return catalogue.pgettext(context, text) if context else catalogue.gettext(text)


def _read_locations():
    path = GWEATHER_XML
    if not os.path.exists(path) and os.path.exists(path + ".gz"):
        with gzip.open(path + ".gz") as f:
            return ET.parse(f).getroot()
    return ET.parse(path).getroot()


def read_gweather(skipped_countries, log):
    """The cities of the libgweather list with their Russian names and the zone
    that the list gives them (often only their country's or state's: `tz_from`)."""
    cat = load_catalogue(GWEATHER_MO)
    root = _read_locations()
    cities = []
    for region in root.findall("region"):
        for country in region.findall("country"):
            cc = country.findtext("iso-code").strip()
            if cc in skipped_countries:
                continue
            country_tz = (country.findtext("tz-hint") or "").strip()
            parents = [(country, (None, None), country_tz)]
            for state in country.findall("state"):
                name, ctx = _element_name(state)
                parents.append((state, (name, _translate(cat, name, ctx)),
                                (state.findtext("tz-hint") or country_tz).strip()))
            for parent, (state_latin, state_name), parent_tz in parents:
                for city in parent.findall("city"):
                    name, ctx = _element_name(city)
                    coords = city.findtext("coordinates")
                    own_tz = (city.findtext("tz-hint") or "").strip()
                    tz = own_tz or parent_tz
                    if not coords:
                        log.append(f"{cc} {name}: left out, no coordinates")
                        continue
                    lat, lon = map(float, coords.split())
                    if not (-90 <= lat <= 90 and -180 <= lon <= 180):
                        log.append(f"{cc} {name}: left out, impossible coordinates {lat} {lon}")
                        continue
                    ru = _translate(cat, name, ctx)
                    place = Place("gweather", cc, name, ru if ru != name else None,
                                  state_name, tz, lat, lon)
                    # Where the zone comes from: the city itself, its state or its country.
                    place.tz_from = "city" if own_tz else "state" if parent is not country else "country"
                    place.region_latin = state_latin
                    cities.append(place)
    return cities


# ---------------------------------------------------------------------------
# tzdata and iso-codes
# ---------------------------------------------------------------------------
def tz_city_names_ru():
    """Russian names of the zones' reference cities ('Europe/Moscow' ->
    'Москва'), from the translated choices in the tzdata package templates."""
    names = {}
    if not os.path.exists(TZDATA_TEMPLATES):
        return names
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
    return names


def _parse_dms(text):
    """zone.tab coordinates: +DDMM[SS]+DDDMM[SS] to (lat, lon) degrees."""
    m = re.fullmatch(r"([+-]\d{2})(\d{2})(\d{2})?([+-]\d{3})(\d{2})(\d{2})?", text)
    if not m:
        raise ValueError(text)

    def value(d, mi, s):
        sign = -1 if d.startswith("-") else 1
        return sign * (abs(int(d)) + int(mi) / 60 + int(s or 0) / 3600)
    return value(*m.group(1, 2, 3)), value(*m.group(4, 5, 6))


def read_zone_tab():
    """(country code, latitude, longitude, zone id) of every zone's reference city."""
    refs = []
    with open(ZONE_TAB, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            cc, coords, tz = line.rstrip("\n").split("\t")[:3]
            refs.append((cc, *_parse_dms(coords), tz))
    return refs


def zones_of_countries():
    """{country code: the zone names zone.tab and zone1970.tab give it}."""
    zones = {}
    for cc, _, _, tz in read_zone_tab():
        zones.setdefault(cc, set()).add(tz)
    with open(ZONE1970_TAB, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            codes, _, tz = line.rstrip("\n").split("\t")[:3]
            for cc in codes.split(","):
                zones.setdefault(cc, set()).add(tz)
    return zones


def country_names(overrides):
    """Russian country names by ISO code: the common name where the catalogue has
    one, else the official one; `overrides` win."""
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
    names.update(overrides)
    return names

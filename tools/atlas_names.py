"""Names for the atlas: Windows-1251 text that fits the place files' columns.

City names are kept to MAX_NAME characters (the birth record keeps 25), a name with
its region in brackets to MAX_ENTRY (the 29 characters of a list entry after its
blank), country lines to MAX_COUNTRY.
"""

import re
import unicodedata

MAX_NAME = 25
MAX_ENTRY = 29
MAX_COUNTRY = 29

LATIN_FOLD = {"ß": "ss", "ø": "o", "Ø": "O", "æ": "ae", "Æ": "AE", "œ": "oe",
              "Œ": "OE", "ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ð": "d",
              "Ð": "D", "þ": "th", "Þ": "Th", "ı": "i", "ʻ": "'", "’": "'",
              "‘": "'", "`": "'", "´": "'", "ʼ": "'", "–": "-", "—": "-",
              "ə": "e", "Ə": "E", "ǝ": "e", "Ǝ": "E", "ħ": "h", "Ħ": "H"}


def to_cp1251(text):
    """The text with every character that Windows-1251 lacks replaced:
    accented Latin letters lose their accents, a few others are spelled out."""
    text = text.replace("—", "-").replace("’", "'").replace("‘", "'")
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


def is_russian(text):
    return bool(re.search("[А-Яа-яЁё]", text or ""))


LATIN_LOOKALIKES = str.maketrans("AaBCcEeHKMOoPpTXxy", "АаВСсЕеНКМОоРрТХху")


def fix_mixed_script(name):
    """A Russian name typed with a Latin look-alike letter ("Mариетта")
    gets the Cyrillic letter; names wholly in Latin are left alone."""
    if not is_russian(name):
        return name
    words = []
    for word in name.split(" "):
        if is_russian(word) and re.search("[A-Za-z]", word):
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


# Region names shortened for the brackets after a city name, in two steps.
REGION_ABBREVIATIONS = [
    [("автономный округ", "АО"), ("Автономный округ", "АО"), ("автономная область", "АО"),
     ("Автономная область", "АО"), ("область", "обл."), ("Область", "обл."), ("край", "кр."),
     ("Край", "кр."), ("Республика ", "Респ. "), ("республика", "респ."),
     ("Северная ", "Сев. "), ("Южная ", "Юж. "), ("Западная ", "Зап. "), ("Восточная ", "Вост. "),
     ("Province", "Prov."), ("Region", "Reg."), ("County", "Co."), ("District", "Distr."),
     ("Oblast'", "obl."), ("Oblast", "obl."), ("oblast'", "obl."), ("oblast", "obl."),
     ("Department", "Dep."), ("Governorate", "Gov.")],
    [("Респ. ", ""), ("респ.", ""), ("Сев. ", "С. "), ("Юж. ", "Ю. "), ("Зап. ", "З. "),
     ("Вост. ", "В. "), ("Prov.", ""), ("Reg.", ""), ("of ", "")],
]


def short_region(region):
    """A region name for the brackets: 'Курская область' -> 'Курская обл.'."""
    label = region
    for long_word, short in REGION_ABBREVIATIONS[0]:
        label = label.replace(long_word, short)
    return re.sub(r"\s+", " ", label).strip(" ,-")


def with_region(name, region, limit=MAX_ENTRY):
    """"Name (Region)" within `limit` characters: the region's words are
    abbreviated further if need be, then the region is cut, then the name."""
    label = short_region(region)
    if len(name) + len(label) + 3 > limit:
        for long_word, short in REGION_ABBREVIATIONS[1]:
            label = label.replace(long_word, short)
        label = re.sub(r"\s+", " ", label).strip(" ,-")
    room = limit - len(name) - 3
    if room >= 4 and len(label) > room:
        label = label[:room - 1].rstrip(" -,.") + "."
    room = max(limit - len(label) - 3, 1)
    return f"{name[:room].rstrip(' -,.')} ({label})"


def name_key(text):
    """A name for comparing two spellings of a place: case, accents, ё and the
    punctuation between words do not count."""
    folded = to_cp1251(text).casefold().replace("ё", "е")
    return re.sub(r"[^0-9a-zа-я]", "", folded)


def zone_city(tz):
    """The English name of a zone's reference city: Europe/Kyiv -> Kyiv."""
    return tz.split("/")[-1].replace("_", " ")


def sort_key(text):
    """Russian alphabetical order (ё with е), case-insensitive, Latin first."""
    folded = text.casefold().replace("ё", "е")
    return (folded, text)

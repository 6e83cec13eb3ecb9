#!/usr/bin/env python3
"""Print the gazetteer of libgeonames (Debian packages libgeonames0 and
libgeonames-common) as tab-separated lines, one per place:

    name  state  country code  time zone  latitude  longitude  population

Names and states come in the language of the environment's LANGUAGE, from the
library's gettext catalogue ("geonames"); places the catalogue does not translate
keep their Latin names. tools/make_atlas.py runs this script twice, for the Latin
and for the Russian names: the library translates through gettext, whose choice of
language is made once per process.
"""

import ctypes
import locale
import sys

LIBRARY = "libgeonames.so.0"


def main():
    # gettext translates only under a locale other than "C"; C.UTF-8 serves any LANGUAGE.
    locale.setlocale(locale.LC_ALL, "C.UTF-8")
    lib = ctypes.CDLL(LIBRARY)
    lib.geonames_get_n_cities.restype = ctypes.c_int
    lib.geonames_get_city.restype = ctypes.c_void_p
    lib.geonames_get_city.argtypes = [ctypes.c_int]
    lib.geonames_city_free.argtypes = [ctypes.c_void_p]
    for getter in ("name", "state", "country_code", "timezone"):
        fn = getattr(lib, f"geonames_city_get_{getter}")
        fn.restype = ctypes.c_char_p
        fn.argtypes = [ctypes.c_void_p]
    for getter in ("latitude", "longitude"):
        fn = getattr(lib, f"geonames_city_get_{getter}")
        fn.restype = ctypes.c_double
        fn.argtypes = [ctypes.c_void_p]
    lib.geonames_city_get_population.restype = ctypes.c_uint
    lib.geonames_city_get_population.argtypes = [ctypes.c_void_p]

    out = sys.stdout
    for index in range(lib.geonames_get_n_cities()):
        city = lib.geonames_get_city(index)
        fields = [lib.geonames_city_get_name(city), lib.geonames_city_get_state(city),
                  lib.geonames_city_get_country_code(city), lib.geonames_city_get_timezone(city)]
        text = [(f or b"").decode("utf-8").replace("\t", " ") for f in fields]
        out.write("\t".join(text + [repr(lib.geonames_city_get_latitude(city)),
                                    repr(lib.geonames_city_get_longitude(city)),
                                    str(lib.geonames_city_get_population(city))]) + "\n")
        lib.geonames_city_free(city)


if __name__ == "__main__":
    main()

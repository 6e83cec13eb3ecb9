# korvinaut-cli places / add-city and the atlas birth options, run as a user would.
# CLI: the tool; SAMPLE: tests/data/atlas (a program folder with small place files);
# REAL: the program's data folder (its place files are checked when they exist);
# WORK: a scratch folder this script owns.

function(run_cli)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
  set(rc "${rc}" PARENT_SCOPE)
endfunction()

function(expect_ok what)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: rc=${rc}\n${out}\n${err}")
  endif()
endfunction()

function(expect_refused what pattern)
  if(rc EQUAL 0 OR NOT err MATCHES "${pattern}")
    message(FATAL_ERROR "${what} was not refused with '${pattern}': rc=${rc}\n${out}\n${err}")
  endif()
endfunction()

# Regions: always available, no place file needed.
run_cli(places)
expect_ok("places")
if(NOT out MATCHES "sng +С Н Г \\(sng.wdt\\)" OR NOT out MATCHES "austral +Австралия \\(austral.wdt\\)")
  message(FATAL_ERROR "region list wrong:\n${out}")
endif()

# Countries and cities in the dialog's order, names found after trimming blanks.
run_cli(places --region sng --dir ${SAMPLE})
expect_ok("places --region sng")
if(NOT out STREQUAL "Запад и юг\nНепал\nНулевой пояс\nПроверка периодов\nРоссия (Москва)\nСтрана в конце\nУкраина\n")
  message(FATAL_ERROR "country list wrong:\n${out}")
endif()
run_cli(places --region sng --country "  Россия (Москва) " --dir ${SAMPLE})
expect_ok("places --country")
if(NOT out STREQUAL "Zelenograd\nАбакан\nЕйск\nЁлкино\nЖуковский\nМосква\nСанкт-Петербург\nяровое\nЯрославль\n")
  message(FATAL_ERROR "city list wrong:\n${out}")
endif()
run_cli(places --region asia --dir ${SAMPLE})
expect_refused("an unknown region" "--region: unknown region 'asia'")
run_cli(places --region sng --country "Атлантида" --dir ${SAMPLE})
expect_refused("an unknown country" "--country: no country 'Атлантида'")

# The place from the atlas: coordinates and the zone of the birth date.
run_cli(convert --date 17.05.1990 --time 14:30 --summer --region sng --country "Россия (Москва)" --city Москва
        --dir ${SAMPLE} --json)
expect_ok("convert with an atlas place")
string(JSON zone GET "${out}" zoneText)
string(JSON coords GET "${out}" coordText)
string(JSON city GET "${out}" city)
if(NOT zone STREQUAL "  3.0" OR NOT coords STREQUAL " 37°37’ВД  55°45’СШ" OR NOT city STREQUAL "Москва                   ")
  message(FATAL_ERROR "atlas place wrong:\n${out}")
endif()
run_cli(convert --date 15.06.1930 --time 12:00 --region sng --country "Россия (Москва)" --city Москва
        --dir ${SAMPLE} --json)
if(NOT out MATCHES "\"zoneText\": \"  2.0\"")
  message(FATAL_ERROR "the day before 1930-06-16 must take zone field 1:\n${out}")
endif()
run_cli(convert --date 17.05.1990 --time 14:30 --region sng --country "Россия (Москва)" --city Москва --lat 55
        --dir ${SAMPLE})
expect_refused("an atlas place with --lat" "not --lat")

# A city with a zone name: zone and summer time from its history unless given.
set(north convert --date 01.07.1985 --time 12:00 --region europa --country "Пояса из таблицы"
    --city "Северный город" --dir ${SAMPLE} --json)
function(expect_clock what zone dst)
  expect_ok("${what}")
  string(JSON z GET "${out}" zoneText)
  string(JSON d GET "${out}" dstCode)
  if(NOT z STREQUAL "${zone}" OR NOT d STREQUAL "${dst}")
    message(FATAL_ERROR "${what}: zone '${z}' summer '${d}', expected '${zone}' '${dst}':\n${out}")
  endif()
endfunction()
run_cli(${north})
expect_clock("the history's summer time" "  2.0" "L")
run_cli(${north} --no-summer)
expect_clock("--no-summer over the history" "  2.0" "Z")
run_cli(${north} --zone 5)
expect_clock("--zone over the history" "  5.0" "Z")
run_cli(${north} --zone 5 --summer)
expect_clock("--zone and --summer" "  5.0" "L")
run_cli(${north} --summer --no-summer)
expect_refused("--summer with --no-summer" "either --summer or --no-summer")
run_cli(convert --date 17.05.1990 --time 14:30 --region sng --country "Россия (Москва)" --dir ${SAMPLE})
expect_refused("an atlas place without --city" "all three")

# add-city on a copy: the new city can be listed and chosen; refusals leave the file alone.
file(REMOVE_RECURSE ${WORK})
file(COPY ${SAMPLE}/System DESTINATION ${WORK})
run_cli(add-city --region sng --country Украина --name Одесса --lat 46 29 N --lon 30 44 E --dir ${WORK})
expect_ok("add-city")
run_cli(places --region sng --country Украина --dir ${WORK})
if(NOT out STREQUAL "Киев\nОдесса\n")
  message(FATAL_ERROR "the added city is not listed:\n${out}")
endif()
run_cli(convert --date 01.01.2000 --time 12:00 --region sng --country Украина --city Одесса --dir ${WORK} --json)
if(NOT out MATCHES "\"coordText\": \" 30°44’ВД  46°29’СШ\"")
  message(FATAL_ERROR "the added city reads back wrong:\n${out}")
endif()
file(READ ${WORK}/System/sng.wdt before HEX)
run_cli(add-city --region sng --country Украина --name Полюс --lat 90 00 N --lon 30 44 E --dir ${WORK})
expect_refused("latitude 90" "Широта: градусы")
run_cli(add-city --region sng --country Украина --name Город --lat 46 29 N --lon 30 4 E --dir ${WORK})
expect_refused("a one-digit minutes field" "Не все данные введены")
run_cli(add-city --region sng --country Украина --name Город --lat 46 29 X --lon 30 44 E --dir ${WORK})
expect_refused("hemisphere X" "--lat: the hemisphere")
file(READ ${WORK}/System/sng.wdt after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a refused add-city changed the place file")
endif()

# The real atlas: Moscow's chart for 17.05.1990 14:30 summer time is the chart at its
# atlas coordinates with zone 3.0.
if(NOT EXISTS ${REAL}/System/sng.wdt)
  message(STATUS "data/System/sng.wdt not generated yet: real-atlas checks skipped")
  return()
endif()
set(moscow --date 17.05.1990 --time 14:30 --summer --region sng --country "Россия (Москва)" --city Москва
    --dir ${REAL})
run_cli(convert ${moscow} --json)
expect_ok("convert for Moscow from the real atlas")
if(NOT out MATCHES "\"zoneText\": \"  3.0\"")
  message(FATAL_ERROR "Moscow's zone in 1990 is not 3.0:\n${out}")
endif()
string(JSON coords GET "${out}" coordText)
# Without --summer the history knows the summer time of 1990, and that Moscow kept
# summer time all year in 2012 as its zone 4.
run_cli(convert --date 17.05.1990 --time 14:30 --region sng --country "Россия (Москва)" --city Москва --dir ${REAL}
        --json)
expect_clock("Moscow 1990 from the history" "  3.0" "L")
run_cli(convert --date 15.01.2012 --time 12:00 --region sng --country "Россия (Москва)" --city Москва --dir ${REAL}
        --json)
expect_clock("Moscow 2012 from the history" "  4.0" "Z")
if(NOT EXISTS ${REAL}/System/pluto.sys)
  message(STATUS "data/System/pluto.sys missing: the chart check is skipped")
  return()
endif()
run_cli(chart ${moscow})
expect_ok("chart for Moscow from the real atlas")
set(atlasChart "${out}")
run_cli(chart --date 17.05.1990 --time 14:30 --summer --zone 3 --coords "${coords}" --city Москва --dir ${REAL})
expect_ok("chart at Moscow's coordinates")
if(NOT atlasChart STREQUAL out)
  message(FATAL_ERROR "the atlas chart differs from the chart with zone 3.0:\n${atlasChart}\n---\n${out}")
endif()

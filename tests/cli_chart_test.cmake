# korvinaut-cli chart, run as a user would from the assembled program folder (the
# folder of the executable, which holds System/pluto.sys).
get_filename_component(DIR ${CLI} DIRECTORY)
set(BIRTH --date 01.01.2000 --time 12:00:00 --zone 0 --lat 55.75 --lon 37.62)

execute_process(COMMAND ${CLI} chart ${BIRTH} --dir ${DIR} --json OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^{\"moment\": 36525, \"bodies\": \\[{\"n\": 1, \"name\": \"Солнце\", \"longitude\": ")
  message(FATAL_ERROR "chart --json gave rc=${rc}: ${out}")
endif()
string(REGEX MATCHALL "\"house\": [0-9]+}" houses "${out}")
list(LENGTH houses count)
if(NOT count EQUAL 10)
  message(FATAL_ERROR "chart --json has ${count} bodies: ${out}")
endif()
foreach(key latitude declination rightAscension dailyMotion sign degreeInSign minute second)
  if(NOT out MATCHES "\"${key}\": ")
    message(FATAL_ERROR "chart --json lacks ${key}: ${out}")
  endif()
endforeach()
# Twelve cusps, twelve cusp signs and rulers, ten rows of ten aspect codes (row 10 and
# column 1 are never written: 0).
function(expect_array key count)
  string(REGEX MATCH "\"${key}\": \\[[^]]*\\]" found "${out}")
  string(REGEX REPLACE "^\"${key}\": \\[(.*)\\]$" "\\1" items "${found}")
  string(REPLACE ", " ";" items "${items}")
  list(LENGTH items n)
  if(NOT n EQUAL count)
    message(FATAL_ERROR "chart --json ${key} has ${n} entries, not ${count}: ${out}")
  endif()
endfunction()
expect_array(cusps 12)
expect_array(cuspSign 12)
expect_array(houseRuler 12)
string(REGEX MATCH "\"aspects\": \\[.*\\]}" aspects "${out}")
string(REGEX MATCHALL "\\[0, [0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+, [0-9]+\\]" rows "${aspects}")
list(LENGTH rows n)
if(NOT n EQUAL 10 OR NOT aspects MATCHES "\\[0, 0, 0, 0, 0, 0, 0, 0, 0, 0\\]\\]}$")
  message(FATAL_ERROR "chart --json aspects are not ten rows of ten with an empty row 10: ${aspects}")
endif()

execute_process(COMMAND ${CLI} chart ${BIRTH} --dir ${DIR} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Солнце    Козерог   10°22'  1.0195" OR NOT out MATCHES "Сатурн    Телец     10°23'  -0.0190 R"
   OR NOT out MATCHES "\nX     Водолей   15°36'" OR NOT out MATCHES "Солнце    Меркурий  Соединение")
  message(FATAL_ERROR "chart text gave rc=${rc}: ${out}")
endif()

execute_process(COMMAND ${CLI} chart --date 01.01.2000 --time 12:00 --zone 0 --dir ${DIR} ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT err MATCHES "birth place")
  message(FATAL_ERROR "a chart without a place was not refused: rc=${rc} ${err}")
endif()

execute_process(COMMAND ${CLI} chart ${BIRTH} --dir ${DIR}/no-such-folder ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT err MATCHES "File not found: .*no-such-folder/System/pluto.sys")
  message(FATAL_ERROR "a missing Pluto table was not reported: rc=${rc} ${err}")
endif()

# Far outside the table the chart is still computed.
execute_process(COMMAND ${CLI} chart --date 01.01.-999 --time 00:00 --zone 0 --lat -33.9 --lon 151.2 --dir ${DIR} --json
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"moment\": -1058481.5,")
  message(FATAL_ERROR "chart for -999 gave rc=${rc}: ${out}")
endif()

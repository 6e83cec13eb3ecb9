# korvinaut-cli convert for 2000-01-01 12:00 UT must report moment 36525, and a bad
# date must fail with a message and a non-zero exit code.
execute_process(COMMAND ${CLI} convert --date 01.01.2000 --time 12:00:00 --zone 0 --lat 55.75 --lon 37.62 --json
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"moment\": 36525[,}]")
  message(FATAL_ERROR "convert gave rc=${rc}: ${out}")
endif()
if(NOT out MATCHES "\"coordText\": \" 37°37’ВД  55°45’СШ\"")
  message(FATAL_ERROR "coordinate text wrong: ${out}")
endif()
execute_process(COMMAND ${CLI} convert --date 01.13.2000 --time 12:00 --zone 0 --lat 1 --lon 1
                ERROR_VARIABLE err RESULT_VARIABLE rc)
if(rc EQUAL 0 OR NOT err MATCHES "--date")
  message(FATAL_ERROR "a bad date was not refused: rc=${rc} ${err}")
endif()
execute_process(COMMAND ${CLI} convert --date 01.01.2000 --time 12:00:00 --zone 0 --json
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"moment\": 36525[,}]")
  message(FATAL_ERROR "convert without a place gave rc=${rc}: ${out}")
endif()

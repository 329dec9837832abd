# Every read export family through the kelvane tool, --json, on Linux and on
# Windows (kelvane.exe under WINE) over two copies of the same data with the
# simulated device's clock frozen: the outputs and exit statuses must be the
# same, byte for byte once line ends are made alike (UTF-8 on both).
foreach(side linux windows)
  file(REMOVE_RECURSE ${WORK}/${side})
  file(COPY ${DATA}/ DESTINATION ${WORK}/${side})
  file(APPEND ${WORK}/${side}/device.ini "clock = 2026-07-01 12:00:00\n")
endforeach()

set(commands
  "count" "count;-s;0" "count;-s;3"
  "zones" "zones;-s;0" "zones;-g;Europe" "--lang;2052;zones;-g;Asia"
  "zone;1;-a" "--lang;2052;zone;20" "zone;65000"
  "search;U" "search;Ch" "--lang;1041;search;T"
  "cities;20" "cities;1"
  "dst;20;--at;2026-07-01 12:00" "dst;20;--at;2026-01-01 12:00" "dst;33"
  "offset;1;20" "offset;20;33"
  "current" "default" "daylight" "clock"
  "favourites;list" "favourites;list;--raw"
  "calendar;days;2024-02-10" "calendar;weekday;2000-01-01" "calendar;nth-weekday;2026;3;5;0"
  "calendar;add;2024-01-01 00:30;-3600" "calendar;compare;2024-01-01 00:30;2024-01-01 00:31"
  "calendar;pack;2024-05-01 10:20")

set(differences 0)
foreach(command IN LISTS commands)
  execute_process(COMMAND ${LINUX_TOOL} --json --data ${WORK}/linux ${command}
                  RESULT_VARIABLE linux_status OUTPUT_VARIABLE linux_out ERROR_QUIET)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEDEBUG=-all ${WINE} ${WINDOWS_TOOL} --json
                          --data Z:${WORK}/windows ${command}
                  RESULT_VARIABLE windows_status OUTPUT_VARIABLE windows_out ERROR_QUIET)
  string(REPLACE "\r\n" "\n" windows_out "${windows_out}")
  if(NOT linux_status STREQUAL windows_status OR NOT linux_out STREQUAL windows_out)
    math(EXPR differences "${differences} + 1")
    message(SEND_ERROR "kelvane ${command}: Linux exit ${linux_status}, Windows exit ${windows_status}\n"
                       "--- Linux\n${linux_out}--- Windows\n${windows_out}")
  elseif(linux_out STREQUAL "" AND linux_status EQUAL 0)
    message(SEND_ERROR "kelvane ${command}: no output on either side")
  endif()
endforeach()
if(differences GREATER 0)
  message(FATAL_ERROR "${differences} command(s) answered differently")
endif()

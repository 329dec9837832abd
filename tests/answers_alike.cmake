# Every read export family through the kelvane tool, --json, on x86_64
# Linux (REFERENCE_TOOL) and on a cross target (TARGET_TOOL, started through
# its EMULATOR: Wine or qemu; a Windows one is given its data folder as
# Z:<path>) over two copies of the same data with the simulated device's
# clock frozen: the outputs and exit statuses must be the same, byte for
# byte once line ends are made alike (UTF-8 on both).
foreach(side reference target)
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
  execute_process(COMMAND ${REFERENCE_TOOL} --json --data ${WORK}/reference ${command}
                  RESULT_VARIABLE reference_status OUTPUT_VARIABLE reference_out ERROR_QUIET)
  execute_process(COMMAND ${EMULATOR} ${TARGET_TOOL} --json --data ${DATA_PREFIX}${WORK}/target ${command}
                  RESULT_VARIABLE target_status OUTPUT_VARIABLE target_out ERROR_QUIET)
  string(REPLACE "\r\n" "\n" target_out "${target_out}")
  if(NOT reference_status STREQUAL target_status OR NOT reference_out STREQUAL target_out)
    math(EXPR differences "${differences} + 1")
    message(SEND_ERROR "kelvane ${command}: x86_64 Linux exit ${reference_status}, ${TARGET} exit ${target_status}\n"
                       "--- x86_64 Linux\n${reference_out}--- ${TARGET}\n${target_out}")
  elseif(reference_out STREQUAL "" AND reference_status EQUAL 0)
    message(SEND_ERROR "kelvane ${command}: no output on either side")
  endif()
endforeach()
if(differences GREATER 0)
  message(FATAL_ERROR "${differences} command(s) answered differently")
endif()

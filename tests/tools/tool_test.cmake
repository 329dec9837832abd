# Runs the kelvane tool over a copy of the shipped data and checks what it
# prints and its exit status, one subcommand family after another.
# A cross build's tool runs through its EMULATOR (Wine, qemu); WINDOWS says
# it is a Windows build.
set(run ${EMULATOR})
file(REMOVE_RECURSE ${WORK})
file(COPY ${DATA}/ DESTINATION ${WORK})

function(expect status pattern)
  execute_process(COMMAND ${run} ${TOOL} --data ${WORK} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result STREQUAL "${status}")
    message(FATAL_ERROR "kelvane ${ARGN}: exit ${result}, expected ${status}\n${out}${err}")
  endif()
  if(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "kelvane ${ARGN}: output does not match '${pattern}':\n${out}${err}")
  endif()
endfunction()

expect(0 "0 error\\(s\\)" check)
expect(0 "UTC [0-9-]+ [0-9:]+\n\\* " clock)
expect(0 "\"zones\": \\[" --json clock)
expect(0 "kelvane [0-9]+\\.[0-9]+\\.[0-9]+\ndata set [^\n]*: rules of [0-9]+, tz database" --version)
expect(0 "\n +46  \\(GMT\\) Greenwich Mean Time" zones)
expect(0 "^ +46  GMT       Greenwich Mean Time \\(London\\)\n +[0-9]+  GMT\\+01:00 " zones --group Europe)
expect(1 "no group \"Nowhere\" in TZ_Zone.ini; the groups are: Africa, America, " zones --group Nowhere)
expect(0 "Saturday" calendar weekday 2000-01-01)
expect(0 "2023-12-31 23:30:00" calendar add "2024-01-01 00:30" -3600)
expect(2 "not a date" calendar weekday 2000-13)
expect(1 "TZ_ERR_NOT_FOUND" zone 65000)
expect(0 "   50  Central European Time \\(Budapest\\)\n" search "Central European")
expect(0 "standard time: 古巴时间\n" --lang 2052 zone 20)  # UTF-8 on every platform
expect(0 "switched to zone 1" switch 1)
expect(0 "^1\n" current)
expect(0 "done" favourites add 1)
expect(0 "^    8  \\(GMT-08:00\\) Pacific Time \\(Los Angeles\\)\n.*\n    1  \\(GMT-12:00\\) " favourites list)
expect(0 "added" userzone add --utc-offset 345 --name "Test zone")
expect(0 "10000" zones --selection 3)
expect(0 "deleted" userzone delete 10000)
expect(0 "standard|daylight" daylight)
expect(0 "uiLanguage" device)
# An offset beyond a day is refused before anything is negated or stored.
expect(2 "not in range" userzone add --utc-offset -2147483648 --name Far)

# A clock in another year than the data's rules: a warning, not an error.
file(READ ${WORK}/dataset.txt record)
string(REGEX MATCH "year = ([0-9]+)" match "${record}")
math(EXPR other "${CMAKE_MATCH_1} + 1")
file(APPEND ${WORK}/device.ini "clock = ${other}-03-01 12:00:00\n")
expect(0 "warning: the data holds the rules of ${CMAKE_MATCH_1} but the device's clock is in ${other}.*0 error\\(s\\), 1 warning" check)
expect(0 "^UTC [^\n]*\n\\* .*\nkelvane: warning: the data holds the rules of [0-9]+ but[^\n]*\n$" clock)

# A tz database on the system newer than the data set's: a warning naming both
# (Linux targets: Windows has no TZDIR).
if(NOT WINDOWS)
  string(REGEX MATCH "tzdata = ([0-9a-z]+)" match "${record}")
  file(WRITE ${WORK}/zoneinfo/tzdata.zi "# version 2999a\n")
  set(saved_run "${run}")
  set(run ${CMAKE_COMMAND} -E env TZDIR=${WORK}/zoneinfo ${saved_run})
  expect(0 "warning: data built from tzdata ${CMAKE_MATCH_1}; this system has 2999a: run scripts/regenerate-data.sh" check)
  set(run "${saved_run}")
endif()

# dst without --at judges the zone's own clock now; --help says --at is local time.
expect(0 "^(standard|daylight) time in zone 20 at [0-9-]+ [0-9:]+\n$" dst 20)
expect(0 "the zone's local time" dst --help)

# Right-to-left names are isolated so that the columns keep their places.
expect(0 "\n +46  \\(GMT\\) ⁧[^\n]*⁩\n" --lang 1025 zones)

# The map: well-formed SVG with a marker for every zone.
expect(0 "zones drawn" map --out ${WORK}/map.svg)
execute_process(COMMAND ${run} ${TOOL} --data ${WORK} count OUTPUT_VARIABLE count)
string(REGEX MATCH "[0-9]+" count "${count}")
file(READ ${WORK}/map.svg svg)
string(REGEX MATCHALL "<g class=\"zone\" data-zone=\"[0-9]+\"" markers "${svg}")
list(LENGTH markers drawn)
if(NOT drawn EQUAL count)
  message(FATAL_ERROR "kelvane map: ${drawn} zone markers for ${count} zones")
endif()
find_program(XMLLINT xmllint)
find_program(PYTHON3 python3)
if(XMLLINT)
  set(parse ${XMLLINT} --noout ${WORK}/map.svg)
elseif(PYTHON3)
  set(parse ${PYTHON3} -c "import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])" ${WORK}/map.svg)
else()
  message(FATAL_ERROR "kelvane map: neither xmllint nor python3 to parse the SVG with")
endif()
execute_process(COMMAND ${parse} RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kelvane map: not well-formed XML\n${err}")
endif()

# A data set compared with itself has no changes. On Windows a bare
# argument beginning with '/' reads as an option: Wine's drive for the
# host's root names the directories there.
if(WINDOWS)
  set(drive Z:)
endif()
expect(0 "^0 change\\(s\\) from " diff ${drive}${DATA} ${drive}${DATA})

# A user zone whose offset no clock can show (AddTZ stores it as given):
# shown without overflow and marked.
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/far_user_zone.ini ${WORK}/TZ_UserDef.ini)
expect(0 "done" favourites add 10000)
expect(0 "Far away +no local time +UTC-666666:40 \\(out of range\\)\n" clock)
expect(0 "zone 10000, UTC-666666:40 \\(out of range\\)" zone 10000)
# Every date the tool reads is a day of the calendar and a time of that day.
foreach(date "2024-13-01 00:00" "2024-02-30" "2023-02-29" "2024-01-01 24:00" "2024-01-01 12:60" "2024-1-1x" "2024-01-01 1:2:3:4")
  expect(2 "is not a date of the calendar" dst 59 --at "${date}")
  expect(2 "is not a date of the calendar" calendar pack "${date}")
endforeach()
expect(2 "is not a date of the calendar" calendar days 2024-04-31)
expect(0 "date 0x" calendar pack "2024-02-29 23:59")

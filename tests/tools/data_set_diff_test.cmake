# Builds data sets for two years with the catalogue builder and reads what
# `kelvane diff` says changed between them: the year, and the rules whose
# changeovers differ from one year to the next.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(year 2026 2027)
  file(COPY_FILE ${IDS} ${WORK}/ids-${year}.tsv)
  execute_process(COMMAND ${BUILDER} --out ${WORK}/${year} --year ${year} --ids ${WORK}/ids-${year}.tsv
                  RESULT_VARIABLE result ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "catalogue_builder --year ${year}: exit ${result}\n${err}")
  endif()
endforeach()

execute_process(COMMAND ${TOOL} diff ${WORK}/2026 ${WORK}/2027 RESULT_VARIABLE result OUTPUT_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kelvane diff: exit ${result}\n${out}")
endif()
foreach(pattern
    "data set: rules of 2026, [^\n]*\n  is now: rules of 2027, "
    "zone [0-9]+ \\([^\n]*\\): rule changed\n  old: UTC[^\n]*\n  new: UTC[^\n]*\n  daylight time in 2027: "
    "\n[0-9]+ change\\(s\\) from ")
  if(NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "kelvane diff: output does not match '${pattern}':\n${out}")
  endif()
endforeach()
# The same rule in both years (the United States') is no change.
if(out MATCHES "Pacific Time \\(Los Angeles\\)\\): rule changed")
  message(FATAL_ERROR "kelvane diff reports an unchanged rule:\n${out}")
endif()

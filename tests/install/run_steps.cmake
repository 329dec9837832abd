# The steps the install and package tests share: run a command or fail
# with its output; run a consumer program in a folder of its own with a copy
# of a data set beside it, in English.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}${err}")
  endif()
  set(OUTPUT "${out}" PARENT_SCOPE)
endfunction()

# A program directory: the program with a copy of the installed data set.
function(run_beside_data what program data)
  set(dir ${WORK}/run-${what})
  file(MAKE_DIRECTORY ${dir})
  file(COPY ${data}/ DESTINATION ${dir})
  file(COPY ${program} DESTINATION ${dir})
  get_filename_component(name ${program} NAME)
  run("the ${what} consumer" ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES LANG=C.UTF-8 ${dir}/${name})
  if(NOT OUTPUT MATCHES "^consumer ok")
    message(FATAL_ERROR "the ${what} consumer: ${OUTPUT}")
  endif()
  message(STATUS "${what}: ${OUTPUT}")
endfunction()

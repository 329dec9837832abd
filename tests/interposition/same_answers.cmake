# Runs the plain host and the host with its own exports, each beside a fresh
# copy of the data directory (the engine looks beside the executable), and
# requires the same answers from both.
foreach(host IN ITEMS PLAIN OWN)
  set(copy ${WORK}/${host})
  file(REMOVE_RECURSE ${copy})
  file(COPY ${DATA}/ ${${host}} DESTINATION ${copy})
  get_filename_component(program ${${host}} NAME)
  execute_process(COMMAND ${copy}/${program}
                  OUTPUT_VARIABLE answers_${host} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${${host}} failed: ${status}")
  endif()
endforeach()
if(NOT answers_PLAIN STREQUAL answers_OWN)
  message(FATAL_ERROR "answers differ\n--- plain host:\n${answers_PLAIN}\n--- host with its own exports:\n${answers_OWN}")
endif()
message(STATUS "${answers_PLAIN}")

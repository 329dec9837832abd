# Installs the build tree into a fresh prefix, then builds the consumer
# program against it twice, through find_package(Kelvane) and through
# pkg-config, and runs each with a copy of the installed data set beside it,
# then once from a directory of its own with KELVANE_DATA naming the data set
# and a British English locale (the English names by the language fallback).
# The installed data set has no device.ini: the consumers run on the real
# system platform (its zone file is the one CTest names). Also runs the
# installed kelvane tool, which must find that data set itself.
#   -DBUILD_DIR -DWORK -DCONSUMER -DC_COMPILER -DGENERATOR
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}${err}")
  endif()
  set(OUTPUT "${out}" PARENT_SCOPE)
endfunction()

# A program directory: the program with a copy of the installed data set.
function(run_beside_data what program)
  set(dir ${WORK}/run-${what})
  file(MAKE_DIRECTORY ${dir})
  file(COPY ${PREFIX}/share/kelvane/data/ DESTINATION ${dir})
  file(COPY ${program} DESTINATION ${dir})
  get_filename_component(name ${program} NAME)
  run("the ${what} consumer" ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES LANG=C.UTF-8 ${dir}/${name})
  if(NOT OUTPUT MATCHES "^consumer ok")
    message(FATAL_ERROR "the ${what} consumer: ${OUTPUT}")
  endif()
  message(STATUS "${what}: ${OUTPUT}")
endfunction()

set(PREFIX ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})
foreach(file include/Kelvane.h share/kelvane/data/TZ_Def.ini share/kelvane/data/dataset.txt)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

run("configuring the find_package consumer" ${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/find_package -G ${GENERATOR}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_PREFIX_PATH=${PREFIX})
run("building the find_package consumer" ${CMAKE_COMMAND} --build ${WORK}/find_package)
run_beside_data(find_package ${WORK}/find_package/consumer)
if(EXISTS ${PREFIX}/share/kelvane/data/device.ini)
  message(FATAL_ERROR "the installed data set holds device.ini: it would run as the simulated device")
endif()
run("the consumer with KELVANE_DATA" ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_MESSAGES LANG=en_GB.UTF-8
    KELVANE_DATA=${PREFIX}/share/kelvane/data ${WORK}/find_package/consumer)

file(GLOB pc_file ${PREFIX}/*/pkgconfig/kelvane.pc ${PREFIX}/*/*/pkgconfig/kelvane.pc)
get_filename_component(pc_dir "${pc_file}" DIRECTORY)
set(pkg_config ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pc_dir} pkg-config)
run("pkg-config" ${pkg_config} --cflags --libs kelvane)
separate_arguments(flags UNIX_COMMAND "${OUTPUT}")
run("pkg-config" ${pkg_config} --variable=libdir kelvane)
string(STRIP "${OUTPUT}" libdir)
file(MAKE_DIRECTORY ${WORK}/pkg-config)
run("building the pkg-config consumer" ${C_COMPILER} -std=c11 ${CONSUMER}/consumer.c ${flags}
    -Wl,-rpath,${libdir} -o ${WORK}/pkg-config/consumer)
run_beside_data(pkg-config ${WORK}/pkg-config/consumer)

if(EXISTS ${PREFIX}/bin/kelvane)
  run("kelvane --version" ${PREFIX}/bin/kelvane --version)
  if(NOT OUTPUT MATCHES "share/kelvane/data")
    message(FATAL_ERROR "the installed kelvane does not find the installed data set:\n${OUTPUT}")
  endif()
  run("kelvane check" ${PREFIX}/bin/kelvane check)
endif()

# Makes the Debian packages of the build tree with CPack, unpacks them into
# a scratch root (dpkg -x, as apt would lay them out, nothing installed on
# the host), checks what each holds, builds the consumer against the
# unpacked files through find_package(Kelvane) and runs it with the packaged
# data set beside it; the packaged tool must find that data set itself.
#   -DBUILD_DIR -DWORK -DCONSUMER -DC_COMPILER -DGENERATOR
include(${CMAKE_CURRENT_LIST_DIR}/run_steps.cmake)

file(REMOVE_RECURSE ${WORK})
set(ROOT ${WORK}/root)
file(MAKE_DIRECTORY ${ROOT})
run("cpack" ${CMAKE_COMMAND} -E chdir ${BUILD_DIR} cpack -G DEB -B ${WORK}/packages
    -D CPACK_OUTPUT_FILE_PREFIX=${WORK}/packages)
file(GLOB packages ${WORK}/packages/*.deb)
foreach(package libkelvane0 libkelvane-dev kelvane)
  list(FILTER packages EXCLUDE REGEX "/${package}_[^/]*\\.deb$" )
  file(GLOB deb ${WORK}/packages/${package}_*.deb)
  if(NOT deb)
    message(FATAL_ERROR "no ${package} package made")
  endif()
  run("dpkg-deb -f ${package}" dpkg-deb -f ${deb} Package Version Depends)
  message(STATUS "${OUTPUT}")
  run("dpkg -x ${package}" dpkg -x ${deb} ${ROOT})
endforeach()
if(packages)
  message(FATAL_ERROR "unexpected packages: ${packages}")
endif()

file(GLOB library ${ROOT}/usr/lib/*/libKelvane.so.0 ${ROOT}/usr/lib/libKelvane.so.0)
foreach(file usr/include/Kelvane.h usr/share/kelvane/data/TZ_Def.ini usr/share/kelvane/data/Lang_Def.ini usr/bin/kelvane)
  if(NOT EXISTS ${ROOT}/${file})
    message(FATAL_ERROR "not packaged: /${file}")
  endif()
endforeach()
if(NOT library)
  message(FATAL_ERROR "not packaged: libKelvane.so.0")
endif()
if(EXISTS ${ROOT}/usr/share/kelvane/data/device.ini)
  message(FATAL_ERROR "the packaged data set holds device.ini: it would be a simulated device")
endif()

run("configuring the consumer" ${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/consumer -G ${GENERATOR}
    -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_PREFIX_PATH=${ROOT}/usr)
run("building the consumer" ${CMAKE_COMMAND} --build ${WORK}/consumer)
run_beside_data(packaged ${WORK}/consumer/consumer ${ROOT}/usr/share/kelvane/data)

run("kelvane --version" ${ROOT}/usr/bin/kelvane --version)
if(NOT OUTPUT MATCHES "${ROOT}/usr/bin/../share/kelvane/data|${ROOT}/usr/share/kelvane/data")
  message(FATAL_ERROR "the packaged kelvane does not find the packaged data set:\n${OUTPUT}")
endif()

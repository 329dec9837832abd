# What `cmake --install` puts in place: the shared library with its version
# and SOVERSION, the public header, the kelvane tool, the shipped data set
# under share/kelvane/data, a CMake package (find_package(Kelvane) gives
# Kelvane::Kelvane) and kelvane.pc for pkg-config. Every path is relative to
# the prefix, so an install may be moved or given another --prefix.
include(CMakePackageConfigHelpers)

set(KELVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Kelvane)
set(KELVANE_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kelvane/data)

install(TARGETS Kelvane EXPORT KelvaneTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(FILES ${PROJECT_SOURCE_DIR}/include/Kelvane.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT Development)
# Without device.ini: an installed data set serves the real system, not the
# simulated device (the tool still chooses the simulated device unless --system).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${KELVANE_DATA_DIR} PATTERN device.ini EXCLUDE)
if(TARGET kelvane)
  install(TARGETS kelvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(EXPORT KelvaneTargets NAMESPACE Kelvane:: DESTINATION ${KELVANE_CMAKE_DIR} COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KelvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KelvaneConfig.cmake INSTALL_DESTINATION ${KELVANE_CMAKE_DIR}
  PATH_VARS KELVANE_DATA_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KelvaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KelvaneConfig.cmake ${PROJECT_BINARY_DIR}/KelvaneConfigVersion.cmake
        DESTINATION ${KELVANE_CMAKE_DIR} COMPONENT Development)

# kelvane.pc finds the prefix from its own place (${pcfiledir}), so it stays
# right whatever --prefix the install is given.
set(KELVANE_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(KELVANE_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH KELVANE_PC_UP /${KELVANE_PC_DIR} /)
  string(REGEX REPLACE "/$" "" KELVANE_PC_UP "${KELVANE_PC_UP}")
  set(KELVANE_PC_PREFIX "\${pcfiledir}/${KELVANE_PC_UP}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvane.pc.in ${PROJECT_BINARY_DIR}/kelvane.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kelvane.pc DESTINATION ${KELVANE_PC_DIR} COMPONENT Development)

# Release archives and packages with CPack (scripts/release.sh runs it):
#   Windows: Kelvane-<version>-win64.zip / -win32.zip, everything installed
#            (DLL, Kelvane.lib, libKelvane.dll.a, Kelvane.def, header, tool,
#            data set) with the README;
#   Linux:   Kelvane-<version>-Linux-<processor>.tar.gz, the same, and the
#            Debian packages libkelvane0 (the library), libkelvane-dev (header,
#            link, CMake package, kelvane.pc) and kelvane (the tool, with the
#            data set under /usr/share/kelvane/data); configure with
#            -DCMAKE_INSTALL_PREFIX=/usr for them.
set(CPACK_PACKAGE_NAME Kelvane)
set(CPACK_PACKAGE_VENDOR "The Kelvane project")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Time-zone engine: zone catalogue, names, daylight saving, zone switching")
set(CPACK_PACKAGE_CONTACT "The Kelvane project <kelvane@localhost>")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/dist)
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
  else()
    set(CPACK_SYSTEM_NAME win64)
  endif()
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_GENERATOR "TGZ;DEB")
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
# The README and the licence at the top of every archive.
file(GLOB KELVANE_LICENCE ${PROJECT_SOURCE_DIR}/LICENSE* ${PROJECT_SOURCE_DIR}/COPYING*)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${KELVANE_LICENCE} DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT Tool)

# One package per component; archives take all of them.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_COMPONENTS_ALL Runtime Development Tool)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libkelvane${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libkelvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libkelvane${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME kelvane)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "Kelvane time-zone engine (shared library)")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "Kelvane time-zone engine (header and development files)")
set(CPACK_COMPONENT_TOOL_DESCRIPTION "Kelvane time-zone tool and the shipped zone data set")
include(CPack)

# Header-only libraries of the build host (Debian's libcli11-dev and
# nlohmann-json3-dev) for the Windows cross build. Their headers are copied
# into a folder of their own in the build tree, so the target compiler never
# searches the host's /usr/include, whose C library headers would shadow
# mingw-w64's.
function(kelvane_host_header_library target folder)
  if(TARGET ${target})
    return()
  endif()
  if(NOT IS_DIRECTORY /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: install ${ARGN}")
  endif()
  set(root ${CMAKE_BINARY_DIR}/host-headers)
  file(COPY /usr/include/${folder} DESTINATION ${root})
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root})
endfunction()

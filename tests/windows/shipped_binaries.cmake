# What a Windows developer expects of the shipped binaries, read from the
# files themselves:
#  - LIBRARY and PROGRAM carry a version resource with the header's version
#    (VERSION) and the product name; in an optimised build (SPLIT_DEBUG) no
#    debug sections, but a debug link to the file that holds them;
#  - Kelvane.lib (IMPORT_LIBRARY, read with NM), when built, names every
#    export in EXPECTED as MSVC links it: __imp_<name>, with the underscore
#    of 32-bit C names on x86 (__imp__GetTZCount).
cmake_policy(VERSION 3.25)

# The hexadecimal of text as UTF-16LE.
function(utf16_hex text out)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
  set(${out} ${hex} PARENT_SCOPE)
endfunction()

# A 32-bit value as little-endian hexadecimal.
function(le32_hex value out)
  set(le "")
  foreach(shift 0 8 16 24)
    math(EXPR byte "((${value} >> ${shift}) & 255) + 256" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 3 2 byte)
    string(APPEND le "${byte}")
  endforeach()
  string(TOLOWER "${le}" le)
  set(${out} ${le} PARENT_SCOPE)
endfunction()

string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
math(EXPR most "(${major} << 16) | ${minor}")
math(EXPR least "${patch} << 16")
le32_hex(${most} most_hex)
le32_hex(${least} least_hex)
# VS_FIXEDFILEINFO: signature, structure version, file version, product version.
set(fixed "bd04effe00000100${most_hex}${least_hex}${most_hex}${least_hex}")

foreach(binary IN ITEMS ${LIBRARY} ${PROGRAM})
  file(READ ${binary} hex HEX)
  if(NOT hex MATCHES "${fixed}")
    message(FATAL_ERROR "${binary}: no version resource of version ${VERSION}")
  endif()
  foreach(pair "ProductName=Kelvane" "FileVersion=${VERSION}" "ProductVersion=${VERSION}")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 key)
    list(GET pair 1 value)
    utf16_hex("${key}" key_hex)
    utf16_hex("${value}" value_hex)
    # The key, its terminator, padding to four bytes, the value, its terminator.
    if(NOT hex MATCHES "${key_hex}0000(0000)?${value_hex}0000")
      message(FATAL_ERROR "${binary}: the version resource has no ${key} \"${value}\"")
    endif()
  endforeach()

  if(NOT SPLIT_DEBUG)
    continue()
  endif()
  execute_process(COMMAND ${OBJDUMP} -h ${binary} OUTPUT_VARIABLE sections RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${binary}")
  endif()
  if(sections MATCHES " \\.debug_")
    message(FATAL_ERROR "${binary} still holds debug sections")
  endif()
  if(NOT sections MATCHES " \\.gnu_debuglink ")
    message(FATAL_ERROR "${binary} has no debug link to its .debug file")
  endif()
endforeach()

if(IMPORT_LIBRARY)
  execute_process(COMMAND ${NM} ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${IMPORT_LIBRARY}")
  endif()
  if(X86)
    set(prefix _)
  endif()
  file(STRINGS ${EXPECTED} expected)
  foreach(name IN LISTS expected)
    if(NOT symbols MATCHES "[ \n]__imp_${prefix}${name}\n" OR NOT symbols MATCHES "[ \n]${prefix}${name}\n")
      message(FATAL_ERROR "${IMPORT_LIBRARY} does not name __imp_${prefix}${name} and ${prefix}${name}:\n${symbols}")
    endif()
  endforeach()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
kelvane_host_header_library(CLI11::CLI11 CLI libcli11-dev)

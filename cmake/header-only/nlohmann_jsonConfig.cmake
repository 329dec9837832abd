include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
kelvane_host_header_library(nlohmann_json::nlohmann_json nlohmann nlohmann-json3-dev)

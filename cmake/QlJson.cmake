# ql_json: the JSON library (Debian's nlohmann-json3-dev, header-only), for both trees.
# The cross build searches headers only below the mingw root; adding the host's /usr/include there
# would put glibc's headers before mingw's, so only the library's own folder is linked into the tree.
if(CMAKE_CROSSCOMPILING)
  find_path(QL_JSON_HOST_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(json_include ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${json_include})
  file(CREATE_LINK ${QL_JSON_HOST_INCLUDE}/nlohmann ${json_include}/nlohmann SYMBOLIC)
  add_library(ql_json INTERFACE)
  target_include_directories(ql_json SYSTEM INTERFACE ${json_include})
else()
  find_package(nlohmann_json 3.10 REQUIRED)
  add_library(ql_json INTERFACE)
  target_link_libraries(ql_json INTERFACE nlohmann_json::nlohmann_json)
endif()

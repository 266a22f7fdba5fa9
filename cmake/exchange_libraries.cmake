# The libraries of the `vesk` command and the exchange layer: CLI11 and nlohmann-json,
# both header-only. A native build finds them as CMake packages. A cross build (Windows,
# WebAssembly) must not search the host's /usr/include (the host's C library headers
# would come with it), so it gets copies of just the two header folders.
if(CMAKE_CROSSCOMPILING)
  find_path(VESK_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_path(VESK_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            REQUIRED)
  set(vesk_host_headers ${CMAKE_BINARY_DIR}/host-headers)
  file(COPY ${VESK_CLI11_INCLUDE}/CLI ${VESK_JSON_INCLUDE}/nlohmann
       DESTINATION ${vesk_host_headers})
  add_library(vesk_cli11 INTERFACE)
  target_include_directories(vesk_cli11 SYSTEM INTERFACE ${vesk_host_headers})
  add_library(vesk_json INTERFACE)
  target_include_directories(vesk_json SYSTEM INTERFACE ${vesk_host_headers})
else()
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json REQUIRED)
  add_library(vesk_cli11 INTERFACE)
  target_link_libraries(vesk_cli11 INTERFACE CLI11::CLI11)
  add_library(vesk_json INTERFACE)
  target_link_libraries(vesk_json INTERFACE nlohmann_json::nlohmann_json)
endif()

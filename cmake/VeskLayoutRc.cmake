# The resource script of the main window's menu and dialog is generated from the layout
# table by tools/layout_rc. The generator runs on the build machine: in a cross build it
# is compiled with the build machine's own C++ compiler (VESK_HOST_CXX), since a program
# built for the target could not run here.
set(VESK_LAYOUT_RC_SOURCES
    ${PROJECT_SOURCE_DIR}/tools/layout_rc/main.cpp
    ${PROJECT_SOURCE_DIR}/tools/layout_rc/rc_writer.cpp
    ${PROJECT_SOURCE_DIR}/tools/layout_rc/style_names.cpp)

#   vesk_generate_layout_rc(<output file>)
function(vesk_generate_layout_rc output)
  if(CMAKE_CROSSCOMPILING)
    find_program(VESK_HOST_CXX NAMES c++ g++ clang++ REQUIRED
                 DOC "C++ compiler of the build machine, for the generators run while building")
    set(generator ${CMAKE_BINARY_DIR}/host-tools/vesk-layout-rc)
    add_custom_command(
      OUTPUT ${generator}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
      COMMAND ${VESK_HOST_CXX} -std=c++20 -O1 -I${PROJECT_SOURCE_DIR}/src
              ${VESK_LAYOUT_RC_SOURCES} -o ${generator}
      DEPENDS ${VESK_LAYOUT_RC_SOURCES}
              ${PROJECT_SOURCE_DIR}/tools/layout_rc/rc_writer.h
              ${PROJECT_SOURCE_DIR}/tools/layout_rc/style_names.h
              ${PROJECT_SOURCE_DIR}/src/layout/main_dialog_layout.h
              ${PROJECT_SOURCE_DIR}/src/layout/resource_ids.h
      COMMENT "Building vesk-layout-rc for the build machine"
      VERBATIM)
  else()
    set(generator vesk-layout-rc)
  endif()
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${generator} ${output}
    DEPENDS ${generator}
    COMMENT "Generating the main window's resource script from the layout table"
    VERBATIM)
endfunction()

# Each library of the program compiles against an include root of its own: a folder in the
# build tree holding links to the source folders that library may include and to nothing
# else. An include that reaches across the layers the wrong way then finds no file and
# the build fails, instead of the rule living only in a document.
#
#   vesk_layer_includes(<target> <entry>...)
#
# An entry is a folder under src/ ("data", "platform/posix") or "platform", which stands
# for the platform interface headers src/platform/*.h without the platform folders.
function(vesk_layer_includes target)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  file(REMOVE_RECURSE ${root})
  foreach(entry ${ARGN})
    if(entry STREQUAL "platform")
      file(MAKE_DIRECTORY ${root}/platform)
      file(GLOB interfaces CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/*.h)
      foreach(header ${interfaces})
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/platform/${name} SYMBOLIC)
      endforeach()
    else()
      get_filename_component(parent ${root}/${entry} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${entry} ${root}/${entry} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PRIVATE ${root})
  set_property(TARGET ${target} PROPERTY VESK_INCLUDE_ROOT ${root})
endfunction()

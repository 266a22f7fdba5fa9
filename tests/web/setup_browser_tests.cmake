# Gathers what the browser story runs beside the page: the programs it compares with and
# axe-core from npm (fetched once into the build folder, never into the source tree).
#   cmake -DTOOLS=<folder> -DNPM=<npm> -DVESK=<vesk> -DSAMPLE=<vesk-sample-image>
#         -DMGBA=<vesk-mgba-apply> -P setup_browser_tests.cmake
file(MAKE_DIRECTORY ${TOOLS})
foreach(program ${VESK} ${SAMPLE} ${MGBA})
  get_filename_component(name ${program} NAME)
  file(CREATE_LINK ${program} ${TOOLS}/${name} SYMBOLIC)
endforeach()
if(NOT EXISTS ${TOOLS}/node_modules/axe-core/axe.min.js)
  execute_process(
    COMMAND ${NPM} install --prefix ${TOOLS} --no-audit --no-fund --no-save --loglevel=error axe-core@4
    RESULT_VARIABLE result TIMEOUT 240)
  if(NOT result EQUAL 0 OR NOT EXISTS ${TOOLS}/node_modules/axe-core/axe.min.js)
    message(FATAL_ERROR "npm could not install axe-core into ${TOOLS} (${result})")
  endif()
endif()

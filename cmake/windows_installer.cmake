# The per-user Windows installer, vesk-edit-<version>-setup-x86_64.exe, made with NSIS from
# the files the zip holds (installed and stripped into a folder of the build first):
#   cmake --build <Windows build> --target vesk-installer
find_program(VESK_MAKENSIS makensis)
if(NOT VESK_MAKENSIS OR NOT TARGET vesk-edit OR NOT TARGET vesk)
  return()
endif()

set(installer_dir ${PROJECT_BINARY_DIR}/installer)
set(VESK_INSTALLER_FILE
    ${installer_dir}/${VESK_PACKAGE_NAME}-${PROJECT_VERSION}-setup-x86_64.exe)
add_custom_target(vesk-installer
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${installer_dir}/files
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${installer_dir}/files --strip
  COMMAND ${VESK_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
          -DAPP_ID=${VESK_APP_ID} -DSTAGE=${installer_dir}/files
          -DICON=${PROJECT_SOURCE_DIR}/resources/vesk-edit.ico -DOUTFILE=${VESK_INSTALLER_FILE}
          ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi
  DEPENDS vesk-edit vesk ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi
  BYPRODUCTS ${VESK_INSTALLER_FILE}
  COMMENT "Building ${VESK_PACKAGE_NAME}-${PROJECT_VERSION}-setup-x86_64.exe with NSIS"
  VERBATIM)

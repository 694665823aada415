# The installer, made with makensis from the finished program folder, and
# Clavitone.reg, the same settings for installs by hand. A 64-bit build makes
# a 64-bit installer from the same script.
find_program(MAKENSIS makensis REQUIRED)

set(installer_source ${PROJECT_SOURCE_DIR}/installer)
set(installer_build ${CMAKE_BINARY_DIR}/installer)
file(MAKE_DIRECTORY ${installer_build})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CLAVITONE_INSTALLER ${CMAKE_BINARY_DIR}/Clavitone-Setup-x64.exe)
  set(installer_width -DWIN64)
  set(default_folder "C:\\Program Files\\Clavitone")
else()
  set(CLAVITONE_INSTALLER ${CMAKE_BINARY_DIR}/Clavitone-Setup.exe)
  set(installer_width)
  # Where a 32-bit program goes on 64-bit Windows; hand installs elsewhere
  # make their own file with make_settings.py.
  set(default_folder "C:\\Program Files (x86)\\Clavitone")
endif()

set(settings_data ${installer_source}/settings.txt)
set(CLAVITONE_REG ${CMAKE_BINARY_DIR}/Clavitone.reg)
add_custom_command(
  OUTPUT ${CLAVITONE_REG}
  COMMAND ${Python3_EXECUTABLE} ${installer_source}/make_settings.py reg ${settings_data} ${CLAVITONE_REG} ${default_folder}
  DEPENDS ${settings_data} ${installer_source}/make_settings.py
  VERBATIM)

# The file list is taken from the program folder as it stands once everything
# in it is built, so the installer packs and removes exactly those files.
add_custom_command(
  OUTPUT ${CLAVITONE_INSTALLER}
  COMMAND ${Python3_EXECUTABLE} ${installer_source}/make_settings.py nsis ${settings_data} ${installer_build}/settings.nsh
  COMMAND ${Python3_EXECUTABLE} ${installer_source}/make_file_lists.py ${CLAVITONE_DIST} ${installer_build}/files.nsh
  COMMAND ${MAKENSIS} -V2 -WX ${installer_width}
          -DDIST=${CLAVITONE_DIST} -DGENERATED=${installer_build} -DOUTFILE=${CLAVITONE_INSTALLER}
          -DVERSION=${PROJECT_VERSION} -DICON=${PROJECT_SOURCE_DIR}/resources/clavitone.ico
          ${installer_source}/clavitone.nsi
  # The sounds and the help file come from the program_folder target; naming
  # their outputs here would run their rules a second time, in parallel.
  # Their sources stand in for them.
  DEPENDS Clavitone keybhook ClavitoneDecoder ${CLAVITONE_PROGRAM_FOLDER_SOURCES}
          ${installer_source}/clavitone.nsi ${installer_source}/remove_tree.nsh ${settings_data}
          ${installer_source}/make_settings.py ${installer_source}/make_file_lists.py
  COMMENT "Building the installer"
  VERBATIM)

add_custom_target(installer ALL DEPENDS ${CLAVITONE_INSTALLER} ${CLAVITONE_REG})
add_dependencies(installer program_folder)

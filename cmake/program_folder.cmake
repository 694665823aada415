# What the program folder holds besides Clavitone.exe and keybhook.dll: the
# sound sets and the help file, all made from sources in this repository.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(CHMCMD chmcmd REQUIRED)
# The Voice set's generator calls these two by name.
find_program(ESPEAK_NG espeak-ng REQUIRED)
find_program(SOX sox REQUIRED)

# One generator run writes the default clicks and the Typewriter and Voice
# folders; the stamp stands for all of them.
file(GLOB sound_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/sounds/*.py)
set(CLAVITONE_SOUNDS_STAMP ${CMAKE_BINARY_DIR}/sounds.stamp)
add_custom_command(
  OUTPUT ${CLAVITONE_SOUNDS_STAMP}
  COMMAND ${Python3_EXECUTABLE} -B ${PROJECT_SOURCE_DIR}/resources/sounds/make_sounds.py ${CLAVITONE_DIST}
  COMMAND ${CMAKE_COMMAND} -E touch ${CLAVITONE_SOUNDS_STAMP}
  DEPENDS ${sound_sources}
  COMMENT "Generating the sound sets"
  VERBATIM)

# chmcmd writes into its working folder, so it compiles a copy of the sources
# there rather than leave output in the source tree.
file(GLOB help_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
set(help_build ${CMAKE_BINARY_DIR}/help)
file(MAKE_DIRECTORY ${help_build})
set(CLAVITONE_HELP_FILE "${CLAVITONE_DIST}/Clavitone Help.chm")
add_custom_command(
  OUTPUT ${CLAVITONE_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${help_build}
  COMMAND ${CHMCMD} clavitone.hhp
  COMMAND ${CMAKE_COMMAND} -E copy clavitone.chm ${CLAVITONE_HELP_FILE}
  WORKING_DIRECTORY ${help_build}
  DEPENDS ${help_sources}
  COMMENT "Compiling the help file"
  VERBATIM)

add_custom_target(program_folder ALL DEPENDS ${CLAVITONE_SOUNDS_STAMP} ${CLAVITONE_HELP_FILE})
set(CLAVITONE_PROGRAM_FOLDER_SOURCES ${sound_sources} ${help_sources})

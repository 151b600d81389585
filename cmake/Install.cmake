# What `cmake --install` lays out under the prefix:
#   lib/ethernet-quenta/   the program folder: the host program with the files
#                          it reads beside itself (Settings.ini, the logo, the
#                          firmware file Settings.ini names) and the about
#                          box's picture
#   bin/                   the tools: devsim, mkpfw and, when STARTER_PROGRAM
#                          names the program it carries, Starter (a Starter
#                          carrying the test suite's probe or nothing is no
#                          tool for a user)
set(QUENTA_INSTALL_PROGRAM_DIR lib/ethernet-quenta)

install(TARGETS Bravik_PIC32E_F512_ENC28J60 RUNTIME DESTINATION ${QUENTA_INSTALL_PROGRAM_DIR})
install(FILES
    ${CMAKE_BINARY_DIR}/dist/Settings.ini
    ${CMAKE_BINARY_DIR}/dist/Logo.bmp
    ${CMAKE_BINARY_DIR}/dist/About.jpg
    ${CMAKE_BINARY_DIR}/dist/Sample.pfw
  DESTINATION ${QUENTA_INSTALL_PROGRAM_DIR})
install(TARGETS devsim mkpfw RUNTIME DESTINATION bin)
if(STARTER_PROGRAM)
  install(TARGETS Starter RUNTIME DESTINATION bin)
endif()

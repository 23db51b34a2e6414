# What `cmake --install` puts where, on a freedesktop system:
#   lib/tessaline/          the program with what it reads beside itself:
#                           help/, htmldesc.ref and jscript/ (when the source
#                           tree has them: the rules look at install time)
#   bin/tessaline           a link to the program, so that it still finds
#                           those files beside its real path
#   share/applications/     tessaline.desktop (pages and ".proj" projects)
#   share/mime/packages/    the ".proj" file type
#   share/icons/hicolor/    the icon, for the program and for project files
include(GNUInstallDirs)

set(TESSALINE_PROGRAM_DIR lib/tessaline)

install(TARGETS tessaline RUNTIME DESTINATION ${TESSALINE_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${TESSALINE_PROGRAM_DIR}/help OPTIONAL)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/jscript/ DESTINATION ${TESSALINE_PROGRAM_DIR}/jscript OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/htmldesc.ref DESTINATION ${TESSALINE_PROGRAM_DIR} OPTIONAL)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tessaline\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(REMOVE \"\${link}\")
  message(STATUS \"Installing: \${link}\")
  file(CREATE_LINK ../${TESSALINE_PROGRAM_DIR}/tessaline \"\${link}\" SYMBOLIC)
")

install(FILES ${PROJECT_SOURCE_DIR}/dist/tessaline.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/tessaline-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tessaline.xml)
install(FILES ${PROJECT_SOURCE_DIR}/src/resources/app/tessaline.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/src/resources/app/tessaline.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
        RENAME application-x-tessaline-project.svg)

# Straight onto the system (no DESTDIR staging): refresh the desktop's
# caches when their tools are there.
install(CODE "
  if(NOT \"\$ENV{DESTDIR}\")
    foreach(step \"update-mime-database;\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime\"
                 \"update-desktop-database;-q;\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
                 \"gtk-update-icon-cache;-q;-t;\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/icons/hicolor\")
      list(GET step 0 tool)
      find_program(tool_path \${tool})
      if(tool_path)
        execute_process(COMMAND \${step} RESULT_VARIABLE ignored)
      endif()
      unset(tool_path CACHE)
    endforeach()
  endif()
")

if(TESSALINE_TESTS)
  add_test(NAME Install.StagedTreeHoldsEveryFile
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -DSTAGE=${PROJECT_BINARY_DIR}/install-stage -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
endif()

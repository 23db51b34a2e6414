# Installs the build into a staging folder (DESTDIR) under /usr and checks
# that every file is there and that the desktop entry is valid.
# Usage: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DSTAGE=... -P CheckInstall.cmake
file(REMOVE_RECURSE ${STAGE})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(root ${STAGE}/usr)
set(expected
  lib/tessaline/tessaline
  bin/tessaline
  share/applications/tessaline.desktop
  share/mime/packages/tessaline.xml
  share/icons/hicolor/scalable/apps/tessaline.svg
  share/icons/hicolor/scalable/mimetypes/application-x-tessaline-project.svg)
# Whatever ships beside the program in the source tree ships installed too.
foreach(folder help jscript)
  file(GLOB_RECURSE shipped RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*)
  foreach(file IN LISTS shipped)
    list(APPEND expected lib/tessaline/${file})
  endforeach()
endforeach()
if(EXISTS ${SOURCE_DIR}/htmldesc.ref)
  list(APPEND expected lib/tessaline/htmldesc.ref)
endif()

set(missing "")
foreach(file IN LISTS expected)
  if(NOT EXISTS ${root}/${file})
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "Missing from the installed tree: ${missing}")
endif()

# The command is a link that leads to the program beside its files.
file(READ_SYMLINK ${root}/bin/tessaline target)
if(NOT target STREQUAL "../lib/tessaline/tessaline")
  message(FATAL_ERROR "bin/tessaline leads to '${target}'")
endif()

find_program(VALIDATE desktop-file-validate)
if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate is missing (Debian package desktop-file-utils)")
endif()
execute_process(COMMAND ${VALIDATE} ${root}/share/applications/tessaline.desktop
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES "error")
  message(FATAL_ERROR "desktop-file-validate refuses tessaline.desktop:\n${output}")
endif()
# Desktop entry and MIME definition name the same project type.
file(READ ${root}/share/mime/packages/tessaline.xml mime)
file(READ ${root}/share/applications/tessaline.desktop entry)
if(NOT mime MATCHES "application/x-tessaline-project" OR NOT entry MATCHES "application/x-tessaline-project")
  message(FATAL_ERROR "The project file type is not the same in both files")
endif()
file(REMOVE_RECURSE ${STAGE})
message(STATUS "Installed tree complete: ${root}")

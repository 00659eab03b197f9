cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh PREFIX and fails unless every file a
# desktop needs is there and the metainfo's launcher is where a desktop
# looks for it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(expected
  bin/scrivlet
  bin/rtfcat
  share/applications/scrivlet.desktop
  share/metainfo/org.brenmoor.scrivlet.metainfo.xml
  share/icons/hicolor/scalable/apps/scrivlet.svg
  share/icons/hicolor/48x48/apps/scrivlet.png)
set(missing "")
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "Not installed:\n  ${missing}")
endif()

execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "The installed tree does not validate:\n${out}")
endif()

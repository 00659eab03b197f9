# Helpers shared by the source, test and benchmark trees.

# scrivlet_area(<area> SOURCES ... DEPENDS <lower areas> LIBS <external libraries>)
# One static library per source area (a folder under src/, or a platform
# sub-folder such as platform/text, whose target is scrivlet_platform_text).
# An area may depend only on the areas below it; CheckLayering.cmake checks
# the includes against these declarations.
function(scrivlet_area area)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LIBS" ${ARGN})
  string(REPLACE "/" "_" target "scrivlet_${area}")
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(dep IN LISTS ARG_DEPENDS)
    string(REPLACE "/" "_" dep_target "scrivlet_${dep}")
    target_link_libraries(${target} PUBLIC ${dep_target})
  endforeach()
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  list(JOIN ARG_DEPENDS " " deps)
  set_property(GLOBAL APPEND PROPERTY SCRIVLET_LAYERS "${area} ${deps}")
endfunction()

# scrivlet_test(<name> SOURCES ... LIBS ... [X11])
# A Qt Test executable run by CTest: offscreen by default, under a virtual X
# server when it needs one.
function(scrivlet_test name)
  cmake_parse_arguments(ARG "X11" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} scrivlet_testsupport Qt6::Test)
  set(env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
          "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          # Settings a test forgets to point elsewhere stay out of the user's,
          # and so do the copies that saves in place keep.
          "XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}.config"
          "XDG_CACHE_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}.cache")
  if(ARG_X11)
    add_test(NAME ${name}
             COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS x11
                         ENVIRONMENT "${env};QT_QPA_PLATFORM=xcb")
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS offscreen
                         ENVIRONMENT "${env};QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

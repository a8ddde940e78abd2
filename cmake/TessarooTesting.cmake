# tessaroo_add_gtest(<name> LABEL unit|site|window SOURCES <files...> LIBRARIES <targets...>)
# One GoogleTest program; CTest runs each of its tests as a process of its own, so tests
# never share process-wide state (the logger registry, the class registry, Qt). The label
# says what kind of test it is (see tests/CMakeLists.txt).
find_package(GTest REQUIRED)
include(GoogleTest)

# Settings that a window remembers go to the build tree, never to the user's own; window
# tests point them at a folder of each test.
set(TESSAROO_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/tests/settings"
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1"
  "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")

function(tessaroo_add_gtest name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_LABEL MATCHES "^(unit|site|window)$")
    message(FATAL_ERROR "Test program ${name} needs LABEL unit, site or window")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${TESSAROO_TEST_ENVIRONMENT}" TIMEOUT 120 LABELS ${ARG_LABEL})
endfunction()

# Native builds use Debian's GoogleTest; cross builds compile it from its sources.
if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# lumivane_add_test(name SOURCES ... LIBRARIES ... [WHOLE_PROGRAM] [PROPERTIES ...]):
# one test program, its cases registered with CTest one by one (run under the
# emulator when cross-compiling), each with the given CTest properties.
# WHOLE_PROGRAM registers the program as one CTest test instead, for programs
# whose start-up under Wine costs more than their cases.
function(lumivane_add_test name)
  cmake_parse_arguments(ARG "WHOLE_PROGRAM" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  # Under 32-bit Wine every program runs whole: one start per program instead
  # of one per case, and a suite CTest can count without running it (where
  # the machine cannot run 32-bit processes, `make test` counts it skipped).
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ARG_WHOLE_PROGRAM ON)
  endif()
  # LeakSanitizer leaves out what the libraries under the Linux panel keep for good.
  if(LUMIVANE_SANITIZE MATCHES address)
    list(APPEND ARG_PROPERTIES ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan-suppressions.txt")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  if(ARG_WHOLE_PROGRAM)
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_PROPERTIES)
      set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
    endif()
  elseif(ARG_PROPERTIES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST PROPERTIES ${ARG_PROPERTIES})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()

# Tests that show windows, move the pointer or inject input share the one
# virtual display, so they never run at the same time as each other.
set(LUMIVANE_DISPLAY_TEST_PROPERTIES RESOURCE_LOCK virtual-display)

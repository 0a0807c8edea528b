# Test registration shared by every folder under tests/.
#
#   karvenfp_add_gtest(<name> SOURCES ... [LIBS ...] [ENV ...])   label "unit"
#   karvenfp_add_qtest(<name> SOURCES ... [LIBS ...] [ENV ...])   label "gui"
#
# Every test runs with QT_QPA_PLATFORM=offscreen and the German-neutral C locale
# unless it sets its own environment; each test gets its own temporary data
# directory through tests/support (TempDir).
include(CTest)

if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()

function(_karvenfp_register_test name label)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} testsupport)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    LABELS ${label}
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KARVENFP_TEST_SOURCE_DIR=${CMAKE_SOURCE_DIR};${T_ENV}")
endfunction()

function(karvenfp_add_gtest name)
  _karvenfp_register_test(${name} unit ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
endfunction()

function(karvenfp_add_qtest name)
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  _karvenfp_register_test(${name} gui ${ARGN})
  target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
endfunction()

# A benchmark executable with a CTest smoke run (label "bench"): the smoke
# arguments must keep it to a few seconds on a small data set.
#   karvenfp_add_benchmark(<name> SOURCES ... [LIBS ...] SMOKE_ARGS ...)
function(karvenfp_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS;SMOKE_ARGS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark testsupport)
  if(BUILD_TESTING)
    add_test(NAME ${name}_smoke COMMAND ${name} ${B_SMOKE_ARGS})
    set_tests_properties(${name}_smoke PROPERTIES LABELS bench TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

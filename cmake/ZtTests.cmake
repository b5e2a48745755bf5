# zt_test(<name> SOURCES a.cpp ... LIBS lib ...): one GoogleTest program, its cases listed in CTest.
function(zt_test name)
  cmake_parse_arguments(ZT "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen ENVIRONMENT ZT_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}
    ENVIRONMENT ZT_TEST_OUT=${CMAKE_CURRENT_BINARY_DIR}
    TIMEOUT 300)
endfunction()

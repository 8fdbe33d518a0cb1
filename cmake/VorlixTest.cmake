# vorlix_add_gtest(name SOURCES ... LIBS ...)
# One CTest entry per GoogleTest executable. Each run leaves a JUnit XML
# report in test-results/, from which the test scripts count the cases of
# every layer. The path is relative so that it works under Wine too.
function(vorlix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${VORLIX_WARNINGS})
  add_test(NAME ${name}
           COMMAND ${name} --gtest_output=xml:test-results/${name}.xml
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  # A hung test must fail the run, not stall it.
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

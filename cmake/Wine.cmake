# Windows tests run under Wine, all of one build sharing one persistent wineserver (a CTest
# fixture). A kernel without 32-bit support can't start the 32-bit Wine loader: there the
# 32-bit build's Wine tests are built and listed, but not run.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    execute_process(COMMAND /usr/lib/wine/wine --version
        RESULT_VARIABLE scourwell_wine_status OUTPUT_QUIET ERROR_QUIET)
else()
    execute_process(COMMAND /usr/lib/wine/wine64 --version
        RESULT_VARIABLE scourwell_wine_status OUTPUT_QUIET ERROR_QUIET)
endif()
if(scourwell_wine_status EQUAL 0)
    set(SCOURWELL_WINE_RUNS ON)
else()
    set(SCOURWELL_WINE_RUNS OFF)
    message(STATUS "Wine can't run this build's programs on this machine: its tests are not run")
endif()

add_test(NAME wine_server_start COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-server.sh start)
add_test(NAME wine_server_stop COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-server.sh stop)
set_tests_properties(wine_server_start PROPERTIES FIXTURES_SETUP wine_server)
set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine_server)
if(NOT SCOURWELL_WINE_RUNS)
    set_tests_properties(wine_server_start wine_server_stop PROPERTIES DISABLED TRUE)
endif()

# Marks tests as run under Wine. Their paths are refused past MAX_PATH without the long form, as
# Windows refuses them and Wine does not.
function(scourwell_wine_test)
    set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine_server)
    foreach(test ${ARGN})
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT SCOURWELL_STRICT_PATHS=1)
    endforeach()
    if(NOT SCOURWELL_WINE_RUNS)
        set_tests_properties(${ARGN} PROPERTIES DISABLED TRUE)
    endif()
endfunction()

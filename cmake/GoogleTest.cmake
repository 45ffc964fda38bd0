# GoogleTest: the host build links Debian's prebuilt libraries; the MinGW builds compile the
# sources Debian ships, without optimisation, since only the tests themselves need speed.
if(NOT WIN32)
    find_package(GTest CONFIG QUIET)
endif()
if(NOT TARGET GTest::gtest_main)
    set(SCOURWELL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${SCOURWELL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    target_compile_options(gtest PRIVATE -O0)
    target_compile_options(gtest_main PRIVATE -O0)
endif()

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/Wine.cmake)
endif()

# Registers a test executable with CTest; Windows builds run it under Wine.
function(scourwell_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    # A hung window test must not hold CI up.
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    if(WIN32)
        scourwell_wine_test(${name})
    endif()
endfunction()

# Every library folder keeps its tests beside the code as *_test.cpp. This
# collects a folder's sources into a library and its tests into one test
# program, so adding a file never means editing a list.
function(mirabo_add_library name)
    cmake_parse_arguments(ARG "" "" "DIRS;LINK" ${ARGN})
    set(sources)
    set(tests)
    foreach(dir IN LISTS ARG_DIRS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS "${dir}/*.cpp")
        foreach(file IN LISTS found)
            if(file MATCHES "_test\\.cpp$" OR file MATCHES "/testing/")
                list(APPEND tests ${file})
            else()
                list(APPEND sources ${file})
            endif()
        endforeach()
    endforeach()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
    if(MIRABO_BUILD_TESTS AND tests)
        add_executable(${name}_tests ${tests})
        target_link_libraries(${name}_tests PRIVATE ${name} GTest::gtest GTest::gtest_main)
        # Tests never touch the user's own state: the device root points into the build tree.
        gtest_discover_tests(${name}_tests
            PROPERTIES ENVIRONMENT "MIRABO_DEVICE_ROOT=${CMAKE_BINARY_DIR}/test-device-root"
            DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

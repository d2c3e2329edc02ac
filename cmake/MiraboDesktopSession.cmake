# The window program's ties to the desktop (app/qt/desktop_session.*): it
# registers the icons with the file association at every start, and its
# start-up and shut-down are tested as real processes.
if(TARGET mirabo)
    if(TARGET mirabo_qt AND TARGET mirabo_desktop_icons)
        target_link_libraries(mirabo_qt PUBLIC mirabo_desktop_icons)
    endif()
    # On X11 a later start's window activation speaks to the window manager
    # itself (app/qt/window_activation.cpp); the X library comes with Qt's
    # development files.
    find_path(MIRABO_XCB_INCLUDE_DIR xcb/xcb.h)
    find_library(MIRABO_XCB_LIBRARY xcb)
    if(TARGET mirabo_qt AND MIRABO_XCB_INCLUDE_DIR AND MIRABO_XCB_LIBRARY)
        target_include_directories(mirabo_qt SYSTEM PRIVATE ${MIRABO_XCB_INCLUDE_DIR})
        target_link_libraries(mirabo_qt PRIVATE ${MIRABO_XCB_LIBRARY})
        target_compile_definitions(mirabo_qt PRIVATE MIRABO_HAVE_XCB=1)
    endif()
    if(MIRABO_BUILD_TESTS)
        add_test(NAME startup_process
                 COMMAND "${PROJECT_SOURCE_DIR}/app/qt/testing/startup_process_test.sh"
                         "$<TARGET_FILE:mirabo>" "$<TARGET_FILE:mirabo-cli>"
                         "${CMAKE_BINARY_DIR}/startup-process-test")
        # Whole programs with a five-second time-out among the cases; the
        # runtime folders are the test's own, so it needs no others' state.
        set_tests_properties(startup_process PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
    endif()
endif()

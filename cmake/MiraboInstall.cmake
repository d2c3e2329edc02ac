# Installing Mirabo like any desktop program: the programs, the desktop entry,
# the MIME package, the icons and the AppStream metainfo in their places under
# the prefix, and a Debian package made by CPack (`cpack -G DEB`).
include(GNUInstallDirs)

if(TARGET mirabo)
    install(TARGETS mirabo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS mirabo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry, the MIME package and the icons come from the code and
# pictures the program registers itself with at start-up, written by a small
# program at install time: only then is the prefix known for certain
# (`cmake --install --prefix` may change it).
# The icons' pixels are one library, so the program (which registers them at
# every start) and the installation write the same pictures.
add_library(mirabo_desktop_icons STATIC app/desktop/desktop_icons.cpp)
target_link_libraries(mirabo_desktop_icons PUBLIC mirabo_core)
add_executable(mirabo-desktop-files app/desktop/desktop_files_tool.cpp)
target_link_libraries(mirabo-desktop-files PRIVATE mirabo_desktop_icons)

set(install_desktop_files [[
    set(share "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@")
    # A system prefix has the program on the search path; anywhere else (a
    # per-user install in ~/.local, say) the entry names it by its full path.
    if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/?$|^/usr/local/?$")
        set(program mirabo)
    else()
        set(program "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@/mirabo")
    endif()
    message(STATUS "Installing: desktop entry, MIME package and icons in $ENV{DESTDIR}${share}")
    execute_process(COMMAND "$<TARGET_FILE:mirabo-desktop-files>" "$ENV{DESTDIR}${share}" "${program}"
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "the desktop files could not be written")
    endif()
    file(GLOB_RECURSE written LIST_DIRECTORIES false
         "$ENV{DESTDIR}${share}/applications/mirabo.desktop"
         "$ENV{DESTDIR}${share}/mime/packages/mirabo.xml"
         "$ENV{DESTDIR}${share}/icons/hicolor/mirabo.png"
         "$ENV{DESTDIR}${share}/icons/hicolor/application-x-mirabo-sketch.png")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES ${written})
    # Straight into a live system (not a package being staged), the desktop's
    # databases learn of the new files at once; a package leaves that to the
    # package manager's triggers.
    if("$ENV{DESTDIR}" STREQUAL "")
        find_program(update_mime update-mime-database)
        find_program(update_desktop update-desktop-database)
        if(update_mime)
            execute_process(COMMAND "${update_mime}" "${share}/mime"
                            RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
        endif()
        if(update_desktop)
            execute_process(COMMAND "${update_desktop}" "${share}/applications"
                            RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
        endif()
    endif()
]])
string(CONFIGURE "${install_desktop_files}" install_desktop_files @ONLY)
install(CODE "${install_desktop_files}")
install(FILES app/desktop/org.mirabo.Mirabo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The install rules above in a throw-away prefix, checked by the desktop's own
# validators.
if(MIRABO_BUILD_TESTS)
    find_program(MIRABO_DESKTOP_FILE_VALIDATE desktop-file-validate)
    find_program(MIRABO_APPSTREAMCLI appstreamcli)
    if(MIRABO_DESKTOP_FILE_VALIDATE AND MIRABO_APPSTREAMCLI)
        add_test(NAME install_desktop_files
            COMMAND sh -c [[
                set -e
                prefix=$1/install-test
                rm -rf "$prefix"
                "$2" --install "$1" --prefix "$prefix" >/dev/null
                share=$prefix/share
                "$3" "$share/applications/mirabo.desktop"
                grep -qxF "Exec=$prefix/bin/mirabo file:%f" "$share/applications/mirabo.desktop"
                "$4" validate --no-net "$share/metainfo/org.mirabo.Mirabo.metainfo.xml"
                test -f "$share/mime/packages/mirabo.xml"
                test -f "$share/icons/hicolor/256x256/apps/mirabo.png"
                test -f "$share/icons/hicolor/16x16/mimetypes/application-x-mirabo-sketch.png"
                test -x "$prefix/bin/mirabo-cli"
                grep -q "application/x-mirabo-sketch:\*.zsf" "$share/mime/globs2"
                rm -rf "$prefix"
            ]] sh "${CMAKE_BINARY_DIR}" "${CMAKE_COMMAND}" "${MIRABO_DESKTOP_FILE_VALIDATE}"
               "${MIRABO_APPSTREAMCLI}")
    endif()
endif()

# The Debian package: `cpack -G DEB` in a build folder. Its dependencies are
# the libraries the programs really link, as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mirabo)
set(CPACK_PACKAGE_VENDOR "Mirabo")
set(CPACK_PACKAGE_CONTACT "Mirabo developers <mirabo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "paint and sketch program")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Mirabo paints one picture of up to 1024 x 1024 pixels with thirteen tools:\n\
pencil, airbrush, smudge, lines, rectangles and ellipses, eraser, text, flood\n\
fill, a movable selection and a hand for panning. It keeps its own compressed\n\
sketch documents (.zsf) and imports and exports bitmap and JPEG files.\n\
mirabo-cli converts and inspects pictures without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

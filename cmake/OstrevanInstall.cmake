# The installed layout. Programs and libraries find one another, and the help pages, relative to
# their own folder, so that an installed tree works wherever `cmake --install --prefix` puts it.
# LIB is Debian's multiarch folder, lib/x86_64-linux-gnu on a PC:
#   bin/                      ostrevan-host, mvdb, ostrevan-component
#   LIB/ostrevan/             the libraries of the project, private to it: the platform's shared
#                             libraries, the modules of the host's window and of the server's
#                             store, the control's static code and widget, the component library
#                             ControleOstrevan.ocx
#   LIB/pkgconfig/            ostrevan.pc, ostrevan-qt.pc
#   <Qt's plugins>/designer/  the designer plugin, when Qt's designer interfaces are there
#   include/ostrevan/         the public headers, in the folders of src/
#   share/ostrevan/help/      the help pages
#   share/doc/PACKAGE/        README.md, the copyright and the changelog of each package
#   share/man/man1/           a manual page for each program
#   share/applications/, share/icons/, share/bash-completion/  the clerks' menu entry, its icon,
#                             the completion of mvdb's verbs
#
# The libraries are private: the programs, the component library, the designer plugin and a host
# built with pkg-config find them by their RUNPATH, and nothing is added to the system's library
# folders, whose libraries each need a package of their own name and the system loader's cache.
# GNUInstallDirs' own default, plain lib (kept in a tree configured before), gives way to it.
if(CMAKE_LIBRARY_ARCHITECTURE AND (NOT CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
    set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}"
        CACHE PATH "Object code libraries (Debian's multiarch folder)" FORCE)
endif()
include(GNUInstallDirs)

set(OSTREVAN_INSTALL_LIB_DIR "${CMAKE_INSTALL_LIBDIR}/ostrevan")
# The documentation of the runtime package, README.md among it.
set(OSTREVAN_INSTALL_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/ostrevan")
set(OSTREVAN_INSTALL_HELP_DIR "${CMAKE_INSTALL_DATADIR}/ostrevan/help")
set(OSTREVAN_INSTALL_INCLUDE_DIR "${CMAKE_INSTALL_INCLUDEDIR}/ostrevan")
# Where Qt Designer looks for its plugins, from the prefix that Qt itself is installed under.
set(OSTREVAN_INSTALL_DESIGNER_DIR "${QT6_INSTALL_PLUGINS}/designer")

# ostrevan_install_relative(OUT FROM TO): the path from the installed folder FROM to TO.
function(ostrevan_install_relative out from to)
    cmake_path(ABSOLUTE_PATH from BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
    cmake_path(ABSOLUTE_PATH to BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
    file(RELATIVE_PATH relative "${from}" "${to}")
    string(REGEX REPLACE "/$" "" relative "${relative}")
    set(${out} "${relative}" PARENT_SCOPE)
endfunction()

# Installed programs find the shared libraries from their own folder.
ostrevan_install_relative(ostrevan_bin_to_lib "${CMAKE_INSTALL_BINDIR}" "${OSTREVAN_INSTALL_LIB_DIR}")
set(CMAKE_INSTALL_RPATH "$ORIGIN/${ostrevan_bin_to_lib}")

# ostrevan_install_headers(HEADER...): installs headers of the current source folder (or of a
# folder near it) under include/ostrevan/, in the same folders as under src/.
function(ostrevan_install_headers)
    foreach(header IN LISTS ARGN)
        cmake_path(ABSOLUTE_PATH header BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
        cmake_path(RELATIVE_PATH header BASE_DIRECTORY "${PROJECT_SOURCE_DIR}/src"
                   OUTPUT_VARIABLE relative)
        cmake_path(GET relative PARENT_PATH folder)
        install(FILES "${header}" DESTINATION "${OSTREVAN_INSTALL_INCLUDE_DIR}/${folder}"
                COMPONENT Development)
    endforeach()
endfunction()

# ostrevan_install_shared_libraries(TARGET...): shared libraries of the platform, each finding the
# others in its own folder. Each carries the project's version, and its major number as the
# version of its interface (libostrevan_mvdb.so.1): a host links that, and keeps working until
# the interface changes. The name a host's build links (libostrevan_mvdb.so) goes with the headers.
function(ostrevan_install_shared_libraries)
    set_target_properties(${ARGN} PROPERTIES INSTALL_RPATH "$ORIGIN"
        VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}"
        SOVERSION "${PROJECT_VERSION_MAJOR}")
    install(TARGETS ${ARGN} LIBRARY DESTINATION "${OSTREVAN_INSTALL_LIB_DIR}" COMPONENT Runtime
            NAMELINK_COMPONENT Development)
endfunction()

# ostrevan_install_static_libraries(TARGET...): the code that a host links into itself.
function(ostrevan_install_static_libraries)
    install(TARGETS ${ARGN} ARCHIVE DESTINATION "${OSTREVAN_INSTALL_LIB_DIR}" COMPONENT Development)
endfunction()

# The Debian packages, made by `cpack -G DEB` (or the target `package`) from the install's two
# components:
#   ostrevan       Runtime: the programs, the project's private libraries, ControleOstrevan.ocx,
#                  the help, the manual pages, the menu entry and the completion, under /usr; its
#                  dependencies found by dpkg-shlibdeps, and the fixed-width font that the list of
#                  lines needs
#   ostrevan-dev   Development: the headers, the control's static code, the pkg-config files and
#                  the designer plugin, for the developers of a host; it needs the runtime of the
#                  same version, Qt's development files, which the Qt headers and ostrevan-qt.pc
#                  name, and what dpkg-shlibdeps finds that the plugin needs
# Each package's summary is in English, as Debian's are; the screen's French title opens the
# runtime's long description.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrevan)
set(CPACK_PACKAGE_VENDOR Ostrevan)
# The whole version, its fourth number included, so that each build's package upgrades the last.
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Ostrevan <ostrevan@example.org>")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ostrevan)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION misc)
string(JOIN "\n" CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "settings screen switching a payroll planning into activity entry"
    "« Paramètres de basculement du planning en saisie d'actvité »: for each legal"
    "entity, the pay rubrics into which planned hours are switched when the"
    "planning becomes activity entry. The settings screen Ctr_Ostrevan of a"
    "payroll application, its host ostrevan-host with a menu entry for the"
    "clerks, the tools mvdb (over the multivalue database, a file or a"
    "PostgreSQL server's) and ostrevan-component, the component library"
    "ControleOstrevan.ocx and its help page.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS fonts-liberation)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ostrevan-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
string(JOIN "\n" CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "development files of the Ostrevan settings screen"
    "The public headers, the control's static code and the pkg-config files of"
    "Ostrevan for the developers of a host, the Qt widget ostrevan::ControlWidget"
    "that a form holds, and the Qt Designer plugin that lists it in the widget"
    "box.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "ostrevan (= ${PROJECT_VERSION}), qt6-base-dev")
# The plugin needs the runtime's libraries, which dpkg-shlibdeps finds in the runtime package's
# own staging folder, beside this one.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "../Runtime/usr/${OSTREVAN_INSTALL_LIB_DIR}")

include(CPack)

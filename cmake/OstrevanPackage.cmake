# The Debian packages, made by `cpack -G DEB` (or the target `package`) from the install's two
# components:
#   ostrevan       Runtime: the programs, the shared libraries, ControleOstrevan.ocx and the help,
#                  under /usr; its dependencies found by dpkg-shlibdeps, and the fixed-width font
#                  that the list of lines needs
#   ostrevan-dev   Development: the headers, the control's static code, the pkg-config files and
#                  the designer plugin, for the developers of a host; it needs the runtime of the
#                  same version and Qt's development files, which the Qt headers and ostrevan-qt.pc
#                  name
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrevan)
set(CPACK_PACKAGE_VENDOR Ostrevan)
# The whole version, its fourth number included, so that each build's package upgrades the last.
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Ostrevan <ostrevan@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Paramètres de basculement du planning en saisie d'actvité")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ostrevan)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION misc)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "The settings screen Ctr_Ostrevan of a payroll application, its host ostrevan-host, the mvdb and ostrevan-component tools, the component library ControleOstrevan.ocx and its help page.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS fonts-liberation)

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ostrevan-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "The public headers, the control's static code and the pkg-config files of Ostrevan for the developers of a host, and the Qt Designer plugin that lists Ctr_Ostrevan in the widget box.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "ostrevan (= ${PROJECT_VERSION}), qt6-base-dev")

include(CPack)

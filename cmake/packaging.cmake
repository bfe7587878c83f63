# What an installation holds besides the targets' own files (the README; for viewers' builds on
# Linux, the CMake package and the pkg-config file, both relocatable), and the packages CPack makes
# of it: a .deb on Linux, a .zip for each Windows architecture.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(NOT WIN32)
  include(CMakePackageConfigHelpers)
  set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Veduvedader)
  install(EXPORT VeduvedaderTargets NAMESPACE Veduvedader:: DESTINATION ${config_dir})
  configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VeduvedaderConfig.cmake.in
    ${PROJECT_BINARY_DIR}/VeduvedaderConfig.cmake INSTALL_DESTINATION ${config_dir})
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/VeduvedaderConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/VeduvedaderConfig.cmake
    ${PROJECT_BINARY_DIR}/VeduvedaderConfigVersion.cmake DESTINATION ${config_dir})

  # The prefix is found from the file's own folder.
  file(RELATIVE_PATH VED_PREFIX_FROM_PKGCONFIG
    ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" VED_PREFIX_FROM_PKGCONFIG "${VED_PREFIX_FROM_PKGCONFIG}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/veduvedader.pc.in ${PROJECT_BINARY_DIR}/veduvedader.pc
    @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/veduvedader.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

set(VED_PACKAGE_MAINTAINER
  "Veduvedad.er maintainers <maintainers@users.noreply.c-seed-a3081ec1.example>"
  CACHE STRING "The packages' maintainer")
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_CONTACT "${VED_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_SYSTEM_NAME win32)
  else()
    set(CPACK_SYSTEM_NAME win64)
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "An event viewer loads the plug-in, enumerates its event types and has each event rendered
as an indented XML fragment or as one English sentence with a display colour, into
the viewer's own UTF-16 buffer. The package holds the plug-in with its runtime
library, the header and the CMake and pkg-config files that viewers are built
with, and the command-line host veduvedad with its manual page.")
  # Dependencies from the libraries the binaries link; the shlibs file and the ldconfig trigger
  # for the libraries it brings.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
endif()
include(CPack)

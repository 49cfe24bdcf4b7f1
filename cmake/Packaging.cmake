# Installation and packaging: `cmake --install` lays out the tool, the conversion library
# with its headers, a CMake package (find_package(AudiogramConverter) gives the target
# audiogram::core) and a pkg-config file; CPack turns the same layout into a Debian package.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(AUDCONV_PACKAGE_NAME AudiogramConverter)
set(AUDCONV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/${AUDCONV_PACKAGE_NAME})
# The headers keep their folders (records/, service/, ...) under one folder of their own,
# so consumers include them as the project does: #include "service/blob_dispatcher.h".
set(AUDCONV_HEADER_DIR ${CMAKE_INSTALL_INCLUDEDIR}/audiogram)

if(TARGET audconv)
  install(TARGETS audconv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
  # bash-completion loads a command's completion on first use from this folder.
  install(FILES ${PROJECT_SOURCE_DIR}/tools/audconv/audconv.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME audconv COMPONENT tool)
endif()
if(TARGET audconv_man)
  install(FILES ${PROJECT_BINARY_DIR}/tools/audconv/audconv.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
    COMPONENT tool)
endif()

set_target_properties(audiogram_core PROPERTIES EXPORT_NAME core OUTPUT_NAME audiogram_core)
target_include_directories(audiogram_core PUBLIC $<INSTALL_INTERFACE:${AUDCONV_HEADER_DIR}>)
# The headers use std::span and std::endian: consumers need C++20 as well.
target_compile_features(audiogram_core PUBLIC cxx_std_20)

install(TARGETS audiogram_core EXPORT ${AUDCONV_PACKAGE_NAME}Targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
file(GLOB_RECURSE AUDCONV_HEADERS CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src
  ${PROJECT_SOURCE_DIR}/src/*.h)
foreach(header IN LISTS AUDCONV_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header} DESTINATION ${AUDCONV_HEADER_DIR}/${folder}
    COMPONENT development)
endforeach()

# The component a host loads with dlopen, and the COM-compatible layer hosts link to call it
# (audiogram::portable_com).
if(TARGET VeskAudiogramConverter)
  install(TARGETS VeskAudiogramConverter LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT component)
endif()
if(TARGET vesk_portable_com)
  set_target_properties(vesk_portable_com PROPERTIES EXPORT_NAME portable_com)
  target_include_directories(vesk_portable_com PUBLIC $<INSTALL_INTERFACE:${AUDCONV_HEADER_DIR}>)
  install(TARGETS vesk_portable_com EXPORT ${AUDCONV_PACKAGE_NAME}Targets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
endif()

install(EXPORT ${AUDCONV_PACKAGE_NAME}Targets NAMESPACE audiogram::
  DESTINATION ${AUDCONV_CMAKE_DIR} COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/${AUDCONV_PACKAGE_NAME}Config.cmake.in
  ${PROJECT_BINARY_DIR}/${AUDCONV_PACKAGE_NAME}Config.cmake
  INSTALL_DESTINATION ${AUDCONV_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/${AUDCONV_PACKAGE_NAME}ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/${AUDCONV_PACKAGE_NAME}Config.cmake
  ${PROJECT_BINARY_DIR}/${AUDCONV_PACKAGE_NAME}ConfigVersion.cmake
  DESTINATION ${AUDCONV_CMAKE_DIR} COMPONENT development)

# The pkg-config file finds its prefix from its own place, so the tree still works after
# `cmake --install --prefix` to somewhere other than the configured prefix.
file(RELATIVE_PATH AUDCONV_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" AUDCONV_PC_TO_PREFIX "${AUDCONV_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/audiogram-converter.pc.in
  ${PROJECT_BINARY_DIR}/audiogram-converter.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/audiogram-converter.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# The browser page is built by Emscripten in a build of its own (the wasm preset installs it
# itself); a native build installs and packages it when that build has made it.
set(AUDCONV_WEB_PAGE ${PROJECT_SOURCE_DIR}/build/wasm/web/audconv.html CACHE FILEPATH
  "The built browser page that a native install takes along when it exists")
if(NOT EMSCRIPTEN)
  install(FILES ${AUDCONV_WEB_PAGE} DESTINATION ${CMAKE_INSTALL_DATADIR}/audconv COMPONENT page OPTIONAL)
endif()

# Debian package: `cpack -G DEB` in a build folder. It holds the tool, the library, the page
# when built and the Python package audconv.
set(CPACK_PACKAGE_NAME audiogram-converter)
set(CPACK_PACKAGE_VENDOR "Audiogram converter project")
set(CPACK_PACKAGE_CONTACT "Audiogram converter maintainers <maintainers@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Audiogram data converter: the audconv tool and the conversion library")
set(CPACK_PACKAGE_DESCRIPTION
  "Converts stored audiograms between the 100 and 200 binary records and the 500 XML document, inspects them and draws their charts.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The Python package rides in the same package, into /usr/lib/python3/dist-packages: it is
# one small module built from the same sources at the same version, and a tool user who never
# imports it pays nothing, since Python is only suggested. Its optional helpers (pandas for
# frames, Dask for clusters) are suggested too.
if(AUDCONV_BUILD_PYTHON)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}), python3-pandas, python3-dask, python3-distributed")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)

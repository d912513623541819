# The designer library for programs of their own: `cmake --install` (component sdk) puts the
# libraries, their headers under one include root, libjpeg, the layout compiler and the CMake
# package (find_package(Tavelko), targets Tavelko::designer and the rest) into a prefix.
set(TAVELKO_PACKAGE_DESTINATION lib/cmake/Tavelko)

# tavelko_install(targets...): the libraries into the package with every header of the folder
# declaring them (by folder, so a header added later goes in too) and the headers generated for
# that folder (a layout's fields).
function(tavelko_install)
  install(TARGETS ${ARGN} EXPORT TavelkoTargets
    ARCHIVE DESTINATION lib COMPONENT sdk
    INCLUDES DESTINATION include)
  file(RELATIVE_PATH folder "${TAVELKO_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  install(FILES ${headers} DESTINATION include/${folder} COMPONENT sdk)
  install(DIRECTORY "${CMAKE_BINARY_DIR}/generated/${folder}/" DESTINATION include/${folder}
    COMPONENT sdk OPTIONAL FILES_MATCHING PATTERN "*.h")
  # What the reference documents (docs/).
  set_property(GLOBAL APPEND PROPERTY TAVELKO_SDK_HEADER_FOLDERS "${CMAKE_CURRENT_SOURCE_DIR}")
  # What the SDK zip waits for (release/).
  foreach(target IN LISTS ARGN)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      set_property(GLOBAL APPEND PROPERTY TAVELKO_SDK_LIBRARIES ${target})
    endif()
  endforeach()
endfunction()

# The package itself, once every library has been declared.
function(tavelko_install_package)
  install(TARGETS tavelko_options libjpeg EXPORT TavelkoTargets COMPONENT sdk)
  install(FILES "${LIBJPEG_PREFIX}/lib/libjpeg.a" DESTINATION lib COMPONENT sdk)
  install(DIRECTORY "${LIBJPEG_PREFIX}/include/" DESTINATION include COMPONENT sdk)
  install(PROGRAMS "${TAVELKO_LAYOUTC}" DESTINATION bin COMPONENT sdk)
  install(DIRECTORY "${TAVELKO_SOURCE_DIR}/examples/" DESTINATION share/tavelko/examples COMPONENT sdk)
  install(EXPORT TavelkoTargets NAMESPACE Tavelko:: DESTINATION ${TAVELKO_PACKAGE_DESTINATION}
    COMPONENT sdk)

  include(CMakePackageConfigHelpers)
  set(config "${CMAKE_BINARY_DIR}/sdk/TavelkoConfig.cmake")
  set(version "${CMAKE_BINARY_DIR}/sdk/TavelkoConfigVersion.cmake")
  configure_package_config_file("${TAVELKO_SOURCE_DIR}/tools/sdk/TavelkoConfig.cmake.in" "${config}"
    INSTALL_DESTINATION ${TAVELKO_PACKAGE_DESTINATION})
  write_basic_package_version_file("${version}" COMPATIBILITY SameMajorVersion)
  install(FILES "${config}" "${version}" "${TAVELKO_SOURCE_DIR}/tools/layoutc/CompileLayout.cmake"
    "${TAVELKO_SOURCE_DIR}/tools/mingw-w64.cmake" "${TAVELKO_SOURCE_DIR}/tools/sdk/Toolchain.cmake"
    DESTINATION ${TAVELKO_PACKAGE_DESTINATION} COMPONENT sdk)
endfunction()

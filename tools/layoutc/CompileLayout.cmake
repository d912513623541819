# Layouts compiled at build time by layoutc (TAVELKO_LAYOUTC), which the native build makes for the
# build machine (tools/NativeBuild.cmake) and the installed package carries: into component streams
# carried as RCDATA resources, and into the fields of the forms they describe.

# What a compilation waits for: the layout compiler, and the native build making it when there is one.
function(_tavelko_layoutc_depends var)
  set(depends "${TAVELKO_LAYOUTC}")
  if(TARGET native)
    list(APPEND depends native)
  endif()
  set(${var} ${depends} PARENT_SCOPE)
endfunction()

# _tavelko_layout_rc(layoutfile resource_name rc_var stream_var): the command that compiles
# `layoutfile`, and a resource script naming the stream `resource_name`.
function(_tavelko_layout_rc layoutfile resource_name rc_var stream_var)
  get_filename_component(layout "${layoutfile}" ABSOLUTE)
  _tavelko_layoutc_depends(layoutc)
  set(stream "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.stream")
  set(depfile "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.stream.d")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.layout.rc")
  add_custom_command(
    OUTPUT "${stream}"
    COMMAND ${TAVELKO_LAYOUTC} "${layout}" "${stream}" "${depfile}"
    DEPENDS ${layoutc} "${layout}"
    DEPFILE "${depfile}"
    COMMENT "Compiling the layout ${layoutfile}"
    VERBATIM)
  file(CONFIGURE OUTPUT "${rc}" CONTENT "${resource_name} RCDATA \"${stream}\"\n")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${stream}")
  set(${rc_var} "${rc}" PARENT_SCOPE)
  set(${stream_var} "${stream}" PARENT_SCOPE)
endfunction()

# tavelko_compile_layout(target layoutfile resource_name): adds the compiled `layoutfile` to the
# executable `target` as the RCDATA resource `resource_name`.
function(tavelko_compile_layout target layoutfile resource_name)
  _tavelko_layout_rc("${layoutfile}" "${resource_name}" rc stream)
  target_sources(${target} PRIVATE "${rc}" "${stream}")
endfunction()

# tavelko_library_layout(library layoutfile resource_name): the compiled `layoutfile` as the RCDATA
# resource `resource_name` of every executable that links the static `library`, directly or not.
# A resource object inside an archive would be dropped by the linker (nothing refers to it), so the
# object goes on the executables' link lines instead.
function(tavelko_library_layout library layoutfile resource_name)
  _tavelko_layout_rc("${layoutfile}" "${resource_name}" rc stream)
  set(objects "${library}_${resource_name}_resource")
  add_library(${objects} OBJECT "${rc}" "${stream}")
  # Installed, the object lies beside the library under a name of its own.
  target_link_libraries(${library} INTERFACE "$<BUILD_INTERFACE:$<TARGET_OBJECTS:${objects}>>"
    "$<INSTALL_INTERFACE:$<INSTALL_PREFIX>/lib/${objects}.obj>")
  install(FILES $<TARGET_OBJECTS:${objects}> DESTINATION lib RENAME ${objects}.obj COMPONENT sdk)
  # The executables wait for the library, and the library for the object.
  add_dependencies(${library} ${objects})
endfunction()

# tavelko_layout_fields(target layoutfile): the header "<folder>/<name>.fields.h" (the layout's
# folder below the source root), declaring struct <form class>Fields with a field for every
# component the layout names and their binding, for the form class of `target` to derive from.
function(tavelko_layout_fields target layoutfile)
  get_filename_component(layout "${layoutfile}" ABSOLUTE)
  _tavelko_layoutc_depends(layoutc)
  file(RELATIVE_PATH relative "${CMAKE_SOURCE_DIR}" "${layout}")
  string(REGEX REPLACE "\\.layout$" ".fields.h" relative "${relative}")
  set(header "${CMAKE_BINARY_DIR}/generated/${relative}")
  get_filename_component(folder "${header}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  add_custom_command(
    OUTPUT "${header}"
    COMMAND ${TAVELKO_LAYOUTC} --fields "${layout}" "${header}"
    DEPENDS ${layoutc} "${layout}"
    COMMENT "Making the fields of ${layoutfile}"
    VERBATIM)
  target_sources(${target} PRIVATE "${header}")
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${CMAKE_BINARY_DIR}/generated>")
endfunction()

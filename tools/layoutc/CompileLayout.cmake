# tavelko_compile_layout(target layoutfile resource_name): compiles `layoutfile` with layoutc at
# build time (through the cross-compiling emulator, Wine; nothing on a Windows build) and adds
# the stream to `target` as the RCDATA resource `resource_name`.
function(tavelko_compile_layout target layoutfile resource_name)
  get_filename_component(layout "${layoutfile}" ABSOLUTE)
  set(stream "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.stream")
  set(depfile "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.stream.d")
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.layout.rc")
  add_custom_command(
    OUTPUT "${stream}"
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:layoutc> "${layout}" "${stream}" "${depfile}"
    DEPENDS layoutc "${layout}"
    DEPFILE "${depfile}"
    COMMENT "Compiling the layout ${layoutfile}"
    VERBATIM)
  file(CONFIGURE OUTPUT "${rc}" CONTENT "${resource_name} RCDATA \"${stream}\"\n")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${stream}")
  target_sources(${target} PRIVATE "${rc}" "${stream}")
endfunction()

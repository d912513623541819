# tavelko_delay_load(target dll...): the target loads each named system DLL on the first call of
# one of its functions instead of at process start.
#
# The delay-load import library is made by dlltool from a list of every function that the
# toolchain's ordinary import library offers, so new calls need no list kept by hand. It is linked
# whole and ahead of all libraries, so no call reaches the ordinary import library.
function(tavelko_delay_load target)
  foreach(dll IN LISTS ARGN)
    find_library(${dll}_import_library ${dll} REQUIRED)
    execute_process(COMMAND ${CMAKE_NM} ${${dll}_import_library} OUTPUT_VARIABLE symbols
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "[^\n]* I __imp_[A-Za-z0-9_]+" imports "${symbols}")
    list(TRANSFORM imports REPLACE ".* I __imp_" "")
    list(REMOVE_DUPLICATES imports)
    list(SORT imports)
    list(JOIN imports "\n" exports)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${dll}_delay.def)
    set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${dll}_delay.a)
    file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    add_custom_command(OUTPUT ${library}
                       COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll}.dll --output-delaylib ${library}
                       DEPENDS ${def} VERBATIM)
    add_custom_target(${target}_${dll}_delay DEPENDS ${library})
    add_dependencies(${target} ${target}_${dll}_delay)
    target_link_options(${target} PRIVATE "SHELL:-Wl,--whole-archive ${library} -Wl,--no-whole-archive")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${library})
  endforeach()
endfunction()

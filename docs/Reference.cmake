# Runs Doxygen on the configured Doxyfile and reports what its log holds: the public names left
# undocumented and any other warning. With CHECK set, either count above zero fails.
#   cmake -D DOXYGEN=<doxygen> -D DOXYFILE=<Doxyfile> -D OUTPUT=<folder> [-D CHECK=ON] -P Reference.cmake
file(REMOVE_RECURSE "${OUTPUT}/html")
file(MAKE_DIRECTORY "${OUTPUT}")
execute_process(COMMAND "${DOXYGEN}" "${DOXYFILE}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Doxygen failed (${result})")
endif()
# Doxygen repeats a warning about a member for the classes that inherit it.
file(STRINGS "${OUTPUT}/warnings.log" warnings REGEX "warning:")
list(REMOVE_DUPLICATES warnings)
set(undocumented ${warnings})
list(FILTER undocumented INCLUDE REGEX "is not documented")
list(LENGTH warnings warning_count)
list(LENGTH undocumented undocumented_count)
math(EXPR other_count "${warning_count} - ${undocumented_count}")
message(STATUS "Reference: ${OUTPUT}/html/index.html")
message(STATUS "Undocumented public names: ${undocumented_count}; other documentation warnings: ${other_count}")
if(CHECK AND warning_count GREATER 0)
  list(SUBLIST warnings 0 20 shown)
  list(JOIN shown "\n" shown)
  message(FATAL_ERROR "The reference has ${warning_count} warnings (${OUTPUT}/warnings.log), first:\n${shown}")
endif()

# For a program built on the installed package: the cross toolchain the libraries were built with,
# and the package's own prefix searched for packages (and libraries, headers) besides the target's
# root.
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
get_filename_component(_tavelko_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
list(APPEND CMAKE_FIND_ROOT_PATH "${_tavelko_prefix}")
list(APPEND CMAKE_PREFIX_PATH "${_tavelko_prefix}")

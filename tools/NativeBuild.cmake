# The native build (native/), made in <build>/native by the build machine's own compiler: the
# layout compiler every layout of the programs goes through, and with BUILD_TESTING the sanitizer
# suite, which ctest runs as native_tests.
include(ExternalProject)
set(TAVELKO_NATIVE_DIR ${CMAKE_BINARY_DIR}/native)
set(TAVELKO_LAYOUTC ${TAVELKO_NATIVE_DIR}/tools/layoutc/layoutc)
set(native_byproducts ${TAVELKO_LAYOUTC})
if(BUILD_TESTING)
  list(APPEND native_byproducts ${TAVELKO_NATIVE_DIR}/tests/native_tests)
endif()
ExternalProject_Add(native
  SOURCE_DIR ${TAVELKO_SOURCE_DIR}/native
  BINARY_DIR ${TAVELKO_NATIVE_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=${BUILD_TESTING} -DTAVELKO_SANITIZE=${BUILD_TESTING}
             -DTAVELKO_GTEST_DIR=${TAVELKO_GTEST_DIR}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${native_byproducts})

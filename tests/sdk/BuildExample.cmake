# Unpacks the SDK zip into a scratch prefix (without one, installs the build's package there),
# checks that nothing in it names the source or build tree, builds the minimal example it carries
# on the package alone in an empty folder and hands it to the probe under Wine.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Failed (${result}): ${ARGN}")
  endif()
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
set(prefix "${SCRATCH}/prefix")
if(SDK_ZIP)
  file(MAKE_DIRECTORY "${prefix}")
  run(${CMAKE_COMMAND} -E chdir "${prefix}" ${CMAKE_COMMAND} -E tar xf "${SDK_ZIP}")
else()
  run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" --component sdk)
endif()

file(GLOB_RECURSE texts "${prefix}/include/*" "${prefix}/lib/cmake/*")
foreach(text IN LISTS texts)
  file(STRINGS "${text}" leaks REGEX "${SOURCE_DIR}|${BUILD_DIR}")
  if(leaks)
    message(FATAL_ERROR "${text} names the source or build tree: ${leaks}")
  endif()
endforeach()

file(COPY "${prefix}/share/tavelko/examples/minimal/" DESTINATION "${SCRATCH}/source")
run(${CMAKE_COMMAND} -S "${SCRATCH}/source" -B "${SCRATCH}/build" -G "Unix Makefiles"
    -DCMAKE_TOOLCHAIN_FILE=${prefix}/lib/cmake/Tavelko/Toolchain.cmake -DCMAKE_BUILD_TYPE=Release)
run(${CMAKE_COMMAND} --build "${SCRATCH}/build")
run(${WINE} "${PROBE}" "Z:${SCRATCH}/build/MinimalDesigner.exe")

# Unpacks the SDK zip into a scratch prefix (without one, installs the build's package there),
# checks that nothing in it names the source or build tree and that it carries its guide and
# reference, builds each example it carries on the package alone in an empty folder and hands it
# to its probe under Wine.
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

# The guide and the reference come with the library they describe.
if(DOCS)
  foreach(page IN ITEMS guide/index.md guide/stream-format.md reference/index.html reference/classTDsnStage.html)
    if(NOT EXISTS "${prefix}/share/doc/tavelko/${page}")
      message(FATAL_ERROR "The SDK carries no share/doc/tavelko/${page}")
    endif()
  endforeach()
endif()

# example(folder program probe [probe arguments...])
function(example folder program probe)
  set(source "${SCRATCH}/${folder}")
  set(build "${SCRATCH}/${folder}-build")
  file(COPY "${prefix}/share/tavelko/examples/${folder}/" DESTINATION "${source}")
  run(${CMAKE_COMMAND} -S "${source}" -B "${build}" -G "Unix Makefiles"
      -DCMAKE_TOOLCHAIN_FILE=${prefix}/lib/cmake/Tavelko/Toolchain.cmake -DCMAKE_BUILD_TYPE=Release)
  run(${CMAKE_COMMAND} --build "${build}")
  run(${WINE} "${probe}" "Z:${build}/${program}.exe" ${ARGN})
endfunction()

example(minimal MinimalDesigner "${MINIMAL_PROBE}")
example(stage-editor StageEditor "${STAGE_EDITOR_PROBE}" "Z:${SCRATCH}/edited.stage")

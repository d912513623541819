# Packs a zip of the release (cmake -P, run by the build): the package installed from the build
# folder INSTALL_FROM (component sdk) when given, the files that CONTENTS lists in pairs (source,
# name in the zip), the programs among them stripped with STRIP, and the read-me made from READ_ME
# for VERSION, gathered in STAGING.
include(${CONTENTS})
file(REMOVE_RECURSE ${STAGING})
set(names)
if(INSTALL_FROM)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${INSTALL_FROM} --prefix ${STAGING} --component sdk
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB names RELATIVE ${STAGING} ${STAGING}/*)
endif()
while(contents)
  list(POP_FRONT contents source name)
  configure_file(${source} ${STAGING}/${name} COPYONLY)
  # The symbols serve only a debugger; they would triple the download.
  if(name MATCHES "\\.exe$")
    execute_process(COMMAND ${STRIP} ${STAGING}/${name} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  list(APPEND names ${name})
endwhile()

# Notepad on a Windows of any language reads UTF-8 right only after a byte order mark.
file(READ ${READ_ME} text)
string(CONFIGURE "${text}" text @ONLY)
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${STAGING}/ReadMe.txt "${byte_order_mark}${text}")
list(APPEND names ReadMe.txt)

# Packed beside and renamed, so a zip that exists is complete.
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP}.partial --format=zip -- ${names}
                WORKING_DIRECTORY ${STAGING} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${ZIP}.partial ${ZIP})

# Fetches the self-hosted Ruffle package with npm into DEST. Never fails: without npm or the
# registry, DEST stays without ruffle.js and the Flash control reports itself missing.
set(version 0.6.0)
if(EXISTS ${DEST}/ruffle.js)
  file(TOUCH ${STAMP})
  return()
endif()
find_program(NPM npm)
if(NOT NPM)
  message(STATUS "npm not found: the Flash control will be missing")
  file(TOUCH ${STAMP})
  return()
endif()
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${NPM} pack @ruffle-rs/ruffle@${version} --silent --prefer-offline --fetch-retries=0
                        --fetch-timeout=30000
                WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result OUTPUT_VARIABLE packed ERROR_QUIET
                TIMEOUT 120)
string(STRIP "${packed}" packed)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK}/${packed})
  message(STATUS "The npm registry could not be reached: the Flash control will be missing")
  file(TOUCH ${STAMP})
  return()
endif()
file(ARCHIVE_EXTRACT INPUT ${WORK}/${packed} DESTINATION ${WORK}/unpacked)
file(REMOVE_RECURSE ${DEST})
file(COPY ${WORK}/unpacked/package/ DESTINATION ${DEST})
file(TOUCH ${STAMP})

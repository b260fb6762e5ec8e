# Run by cpack after it has made the archives (CPACK_POST_BUILD_SCRIPTS): the members of each
# zip in name order, each dated with the time of the last commit (SOURCE_DATE_EPOCH when it
# is set), so that the same commit packs the same bytes wherever and whenever it is built.
# Zip times are local times: they are written for UTC, whatever the builder's time zone.
# Outside a git checkout, without SOURCE_DATE_EPOCH, the archives get zip's earliest time.
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  execute_process(COMMAND git -C "${CPACK_QV_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
    message(WARNING "no commit time in ${CPACK_QV_SOURCE_DIR} (set SOURCE_DATE_EPOCH): the archives are dated 1980-01-01")
    set(epoch 315532800)
  endif()
endif()
foreach(archive IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${CPACK_QV_STRIP_NONDETERMINISM} --type zip --timestamp ${epoch}
                          ${archive} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

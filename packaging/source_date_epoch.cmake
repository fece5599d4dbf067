# Read by cpack before it packs. Every time stamp in the package is
# SOURCE_DATE_EPOCH, so that two builds of one source give the same bytes.
# Unset, it is the last commit's time or, outside a git checkout, the date of
# the changelog's entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} OR "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  execute_process(
    COMMAND git -C "${CPACK_VANTRELLE_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE epoch
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
    RESULT_VARIABLE failed)
  if(failed OR NOT epoch MATCHES "^[0-9]+$")
    # The trailer line: " -- NAME <MAIL>  DATE", two spaces before the date.
    file(STRINGS "${CPACK_VANTRELLE_CHANGELOG}" trailer REGEX "^ -- .*  " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- .*  " "" date "${trailer}")
    execute_process(
      COMMAND date -u -d "${date}" +%s
      OUTPUT_VARIABLE epoch
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
      RESULT_VARIABLE failed)
    if(failed OR NOT epoch MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${CPACK_VANTRELLE_CHANGELOG}: no date in its trailer line to date the package by")
    endif()
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()

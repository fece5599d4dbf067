# Writes OUTPUT: the version VERSION and the commit SOURCE_DIR is checked out
# at, and whether it has local changes. Without git (a source archive) the
# version stands alone. Run as a script: cmake -D... -P write_version_header.cmake
set(text "${VERSION}")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} rev-parse --short=12 HEAD
                  OUTPUT_VARIABLE commit RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(status EQUAL 0)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} status --porcelain --untracked-files=no
                    OUTPUT_VARIABLE changes ERROR_QUIET)
    if(changes)
      string(APPEND commit ", with local changes")
    endif()
    set(text "${VERSION} (commit ${commit})")
  endif()
endif()
file(WRITE ${OUTPUT}.new "#pragma once\n// Written by the build (cmake/write_version_header.cmake); not kept in git.\n\nnamespace vantrelle {\n\n// \"1.0.0 (commit 0123456789ab)\", or the version alone when the commit is unknown.\ninline constexpr char kVersionText[] = \"${text}\";\n\n}  // namespace vantrelle\n")
configure_file(${OUTPUT}.new ${OUTPUT} COPYONLY)
file(REMOVE ${OUTPUT}.new)

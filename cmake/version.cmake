# The version every program prints for --version: project(VERSION ...) and,
# when the sources are a git checkout, the commit they were built from. The
# header is written into the build tree on every build (rewritten only when
# its text changes), so a new commit needs no new configure.
set(VANTRELLE_VERSION_HEADER ${CMAKE_BINARY_DIR}/generated/vantrelle_version.h)
add_custom_target(vantrelle_version_header
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
          -DOUTPUT=${VANTRELLE_VERSION_HEADER} -P ${CMAKE_CURRENT_LIST_DIR}/write_version_header.cmake
  BYPRODUCTS ${VANTRELLE_VERSION_HEADER}
  COMMENT "Checking the version header"
  VERBATIM)
add_library(vantrelle_version INTERFACE)
target_include_directories(vantrelle_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
add_dependencies(vantrelle_version vantrelle_version_header)

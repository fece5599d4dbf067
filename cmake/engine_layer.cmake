# One engine layer per folder. A layer's public include path is a folder in
# the build tree holding one link, named after the layer, to its sources, so
# "assets/x.h" resolves only where the assets layer is linked: a file can
# include its own layer and those it links below it, never one above.
function(vantrelle_engine_layer layer)
  set(include_root ${CMAKE_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${include_root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_root}/${layer} SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target vantrelle_${layer})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${include_root})
  target_link_libraries(${target} ${ARGN})
endfunction()

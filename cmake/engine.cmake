# The engine: everything that draws the show, one library per layer, bottom
# up. It includes no platform header. Shared by the top-level build and the
# standalone fuzz build.
include(${CMAKE_CURRENT_LIST_DIR}/engine_layer.cmake)
set(vantrelle_root ${CMAKE_CURRENT_LIST_DIR}/..)

# Floating-point steps at start-up must round exactly as written: no fused
# multiply-add, no reassociation. Everything built on the engine inherits it.
add_library(vantrelle_exact_float INTERFACE)
target_compile_options(vantrelle_exact_float INTERFACE -ffp-contract=off -fno-fast-math)

foreach(layer core assets render3d effects timeline)
  add_subdirectory(${vantrelle_root}/${layer} ${CMAKE_BINARY_DIR}/engine/${layer})
endforeach()

# What everything outside the engine links: the whole engine, top layer first.
add_library(vantrelle_engine INTERFACE)
target_link_libraries(vantrelle_engine INTERFACE vantrelle_timeline vantrelle_render3d vantrelle_effects
                                                 vantrelle_assets vantrelle_core)

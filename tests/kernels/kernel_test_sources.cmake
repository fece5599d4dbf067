# The vector kernels' tests against their plain oracles: one list for the
# native suite (GoogleTest, also under an emulator) and the WebAssembly one.
set(vantrelle_kernel_test_sources
    ${CMAKE_CURRENT_LIST_DIR}/../effects/vector_kernels_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../effects/glow_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../effects/zoom_page_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../effects/light_rays_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../effects/opening_layers_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../render3d/span_and_lookup_oracle_test.cpp)

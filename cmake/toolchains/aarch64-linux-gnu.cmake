# Cross build for arm64 with Debian's cross compiler (crossbuild-essential-arm64)
# and the :arm64 libraries (scripts/setup.sh arm64):
#   cmake -S . -B build-arm64 -G Ninja --toolchain cmake/toolchains/aarch64-linux-gnu.cmake
# Programs the build runs (the data-set generator, the icon) run under qemu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# The arm64 libraries live in the multiarch folders of the host's own tree.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64;-L;/usr/aarch64-linux-gnu)

# The package's architecture, and shlibdeps reading the arm64 libraries.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)

# Portable Linux build: every target, vendored libraries included, compiled
# by the Zig wrappers next to this file (glibc 2.17 symbol versions, libc++
# linked in). Used by scripts/build_portable_wheel.sh:
#   -C cmake.define.CMAKE_TOOLCHAIN_FILE=scripts/zig/toolchain.cmake
set(CMAKE_C_COMPILER "${CMAKE_CURRENT_LIST_DIR}/cc")
set(CMAKE_CXX_COMPILER "${CMAKE_CURRENT_LIST_DIR}/c++")

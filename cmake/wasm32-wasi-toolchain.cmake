# WebAssembly for the web page: Debian's clang 14 with wasi-libc and libc++ for wasm32 (the
# packages of WEB_PACKAGES in scripts/packages.sh). CMake has no platform file for WASI, and
# needs none: a generic system with the .wasm suffix.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)
# libc++abi for wasm32 has no exception runtime, and GoogleTest's output capture needs temporary
# files that WASI does not offer.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -DGTEST_HAS_STREAM_REDIRECTION=0")
set(gtest_disable_pthreads ON CACHE BOOL "WASI has no threads")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

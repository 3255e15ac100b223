# GoogleTest from Debian's source package, built with the cross compiler of this build.
set(SKORVELIN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${SKORVELIN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Optimised as the test code is (tests/CMakeLists.txt).
target_compile_options(gtest PRIVATE -Og)
target_compile_options(gtest_main PRIVATE -Og)
include(GoogleTest)

# The shipped Skorvelin.exe does not come from this build's compiler: the POSIX-thread C++
# runtime that GoogleTest needs links in a threads library whose imports (GetTickCount64,
# AddVectoredExceptionHandler, TryEnterCriticalSection...) the oldest Windows lack. A nested
# build compiles the same sources with the same architecture's win32-thread compiler and puts
# the program in this build's bin/, beside the tests that drive it. The target keeps the name
# Skorvelin, so that test programs can depend on it as on any other target.
include(ExternalProject)
set(SKORVELIN_SHIPPED_DIR ${CMAKE_BINARY_DIR}/shipped)
ExternalProject_Add(Skorvelin
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${SKORVELIN_SHIPPED_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-${SKORVELIN_ARCH}-win32.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DSKORVELIN_PROGRAM_ONLY=ON
    -DSKORVELIN_TESTS=OFF
    -DSKORVELIN_TEST_VARIANTS=${SKORVELIN_TESTS}
    -DSKORVELIN_BENCH=OFF
    -DSKORVELIN_PROGRAM_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
  INSTALL_COMMAND ""
  # The nested build tracks its own sources; always asking it is cheap when nothing changed.
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Skorvelin.exe
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/skorvelin_out_of_memory.exe
                   ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/skorvelin_no_window.exe)

# Shared by the toolchain files, which set SKORVELIN_TRIPLE, CMAKE_SYSTEM_PROCESSOR and
# SKORVELIN_THREAD_MODEL (posix: the C++ runtime on POSIX threads, which GoogleTest needs;
# win32: the runtime on the system's own threads, for the shipped program).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SKORVELIN_TRIPLE}-gcc-${SKORVELIN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${SKORVELIN_TRIPLE}-g++-${SKORVELIN_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${SKORVELIN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SKORVELIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every Windows program that CTest starts goes through this script (see its header). It is told
# which build a program comes from, so that a 32-bit one need not even be built to be reported
# as not run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine.sh)
if(SKORVELIN_TRIPLE MATCHES "^i686")
  list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --32bit-build)
endif()

# Fails when the program file is larger than LIMIT bytes; prints its size either way.
#   cmake -DPROGRAM=Skorvelin.exe -DLIMIT=bytes -P program_size.cmake
if(NOT EXISTS "${PROGRAM}")
  message(FATAL_ERROR "${PROGRAM}: no such file")
endif()
file(SIZE "${PROGRAM}" size)
message("${PROGRAM}: ${size} bytes (at most ${LIMIT})")
if(size GREATER LIMIT)
  message(FATAL_ERROR "${PROGRAM} is ${size} bytes, more than ${LIMIT}")
endif()

# Reads a program's link map and fails when what was linked in holds the exception machinery:
# the unwinder, the C++ personality routine, or the functions that throw and catch. The program
# is deleted then, so that a build that failed here does not leave it behind as if it had passed.
#   cmake -DLINK_MAP=map -DPROGRAM=exe -P no_exception_machinery.cmake
file(READ ${LINK_MAP} map)
# Only what was kept counts: the map lists the discarded sections before this heading.
string(FIND "${map}" "Linker script and memory map" kept)
if(kept EQUAL -1)
  message(FATAL_ERROR "${LINK_MAP} has no memory map")
endif()
string(SUBSTRING "${map}" ${kept} -1 map)
set(found "")
foreach(symbol __gxx_personality _Unwind_ __cxa_throw __cxa_begin_catch __cxa_allocate_exception
               __cxa_rethrow __cxa_call_terminate __gcc_personality)
  string(FIND "${map}" "${symbol}" at)
  if(NOT at EQUAL -1)
    list(APPEND found ${symbol})
  endif()
endforeach()
if(found)
  file(REMOVE ${PROGRAM})
  message(FATAL_ERROR "${PROGRAM} links the exception machinery (${found}); see ${LINK_MAP}: "
                      "app/ends_program.cpp must replace whatever brought it")
endif()

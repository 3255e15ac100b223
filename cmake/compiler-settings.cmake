# Flags shared by every target of ours: strict warnings, and a small static program.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# Every executable lands in one folder so that tests can find their peers next to themselves.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(SKORVELIN_ARCH i686)
  set(SKORVELIN_PEER_ARCH x86_64)
else()
  set(SKORVELIN_ARCH x86_64)
  set(SKORVELIN_PEER_ARCH i686)
endif()

# Our own code: warnings are errors. Third-party code (GoogleTest) is left alone.
function(skorvelin_strict target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Werror)
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
                                              _WIN32_WINNT=0x0600 WINVER=0x0600)
endfunction()

# Windows GUI program linked statically: only system DLLs are imported. The 32-bit build
# declares subsystem and OS version 4.0, or the 95/98/Me family refuses to give it windows.
function(skorvelin_gui_program target)
  skorvelin_strict(${target})
  target_link_options(${target} PRIVATE -static -mwindows)
  if(SKORVELIN_ARCH STREQUAL i686)
    target_link_options(${target} PRIVATE
      -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
      -Wl,--major-os-version,4 -Wl,--minor-os-version,0)
  endif()
endfunction()

function(skorvelin_console_program target)
  skorvelin_strict(${target})
  target_link_options(${target} PRIVATE -static)
endfunction()

set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
# The shipped program (the win32-thread build) carries no exception machinery: no exceptions, no
# unwind tables, and no thread-safe guards on local statics, since it has one thread. The library's
# throw helpers and the allocation functions that would throw end the program instead
# (app/ends_program.cpp). It asks no type of an object at run time, so it carries no type
# descriptions either (a shared pointer made by make_shared would need the library's, which
# bring the exception machinery back: shared pointers take their object from make_unique).
# It is optimised as a whole at link time. The test programs keep all of it: GoogleTest
# throws, and its builds stay quick.
if(SKORVELIN_THREAD_MODEL STREQUAL "win32")
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>
                      $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>
                      $<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>
                      -fno-asynchronous-unwind-tables -fno-unwind-tables)
  # The smallest code, at link time too, where whole-program optimisation takes its level.
  set(CMAKE_CXX_FLAGS_RELEASE "-Oz -DNDEBUG")
  # Data aligned as the ABI asks, not padded to 32 bytes for vector loads the program never makes.
  add_compile_options(-malign-data=abi)
  if(SKORVELIN_ARCH STREQUAL i686)
    # Windows keeps a 32-bit program's stack aligned to 4 bytes only, and the program uses no
    # type that needs more: no code to align it further at every call.
    add_compile_options(-mpreferred-stack-boundary=2)
  endif()
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  # The objects keep their machine code too, so that the checks that read them (text_seam) see
  # what each one calls.
  add_compile_options(-ffat-lto-objects)
endif()
add_compile_options(-ffunction-sections -fdata-sections)
# No link time in the image header: the same sources link to the same bytes, so a release can be
# rebuilt and checked.
add_link_options(-Wl,--gc-sections -Wl,--no-insert-timestamp $<$<CONFIG:Release>:-s>)

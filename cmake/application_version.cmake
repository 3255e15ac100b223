# The application's version, read from ui/application_info.h, where the program itself takes it.
# Included: sets SKORVELIN_VERSION_MAJOR, _MINOR, _REVISION and SKORVELIN_RELEASE_VERSION
# (major.minor.revision, the name of a release). Run with `cmake -P`: prints the release version.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../ui/application_info.h version_lines
     REGEX "^#define SKORVELIN_VERSION_[A-Z]+ [0-9]+$")
foreach(part MAJOR MINOR REVISION)
  set(SKORVELIN_VERSION_${part} "")
  foreach(line IN LISTS version_lines)
    if(line MATCHES "^#define SKORVELIN_VERSION_${part} ([0-9]+)$")
      set(SKORVELIN_VERSION_${part} ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(SKORVELIN_VERSION_${part} STREQUAL "")
    message(FATAL_ERROR "ui/application_info.h defines no SKORVELIN_VERSION_${part}")
  endif()
endforeach()
set(SKORVELIN_RELEASE_VERSION
    ${SKORVELIN_VERSION_MAJOR}.${SKORVELIN_VERSION_MINOR}.${SKORVELIN_VERSION_REVISION})

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${SKORVELIN_RELEASE_VERSION})
endif()

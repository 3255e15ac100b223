# The resources of Skorvelin.exe, read from the built program.
skorvelin_test(NAME resources_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/resources_test.cpp
  LIBS version ole32 oleaut32 uuid
  DEPENDS Skorvelin
  EXAMINES_I686)

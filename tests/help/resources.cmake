# The resources of Skorvelin.exe, read from the built program.
skorvelin_test(NAME resources_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/resources_test.cpp
  LIBS version ole32 skorvelin_ui
  DEPENDS Skorvelin
  EXAMINES_I686
  # Pictures and icons are decoded in memory; the one window made is COM's message-only window,
  # which no list of top-level windows holds.
  WITHOUT_DISPLAY)

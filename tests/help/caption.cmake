# Caption and version text, and the scrambled texts of the help window.
skorvelin_test(NAME caption_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/caption_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/decode_text_test.cpp
  LIBS skorvelin_ui)

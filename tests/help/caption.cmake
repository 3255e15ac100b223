# Caption and version text, and the scrambled texts of the help window.
skorvelin_test(NAME caption_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/caption_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/decode_text_test.cpp
  LIBS skorvelin_ui skorvelin_text_encoding
  WITHOUT_DISPLAY)

# The stored texts once more where the system code page is Cyrillic (see help_window_cp1251).
add_test(NAME caption_tests_cp1251
  COMMAND caption_tests --gtest_color=no --gtest_filter=DecodeText.*:CyrillicCodePage.*)
set_tests_properties(caption_tests_cp1251 PROPERTIES
  ENVIRONMENT "LC_ALL=ru_RU.UTF-8;LANG=ru_RU.UTF-8"
  FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\];${SKORVELIN_NO_TEST_RUN}"
  SKIP_RETURN_CODE ${SKORVELIN_NOT_RUN_STATUS})
skorvelin_time_limit(120 caption_tests_cp1251)

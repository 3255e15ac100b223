# The help window driven for real: Skorvelin.exe started without a command, its window found,
# pointed at, clicked, typed into and read back from the screen, under Wine on the build machine.
# The tests move the one pointer and take the keyboard focus, so they must not share the display
# with other tests that do the same (RESOURCE_LOCK below).

skorvelin_test(NAME help_window_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/window_pointer_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/window_shell_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/window_close_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/window_codepage_test.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/window_makeup_test.cpp
  LIBS skorvelin_ui
  DEPENDS Skorvelin url_recorder)

# Wine takes a process's ANSI code page from its Unix locale, which a Windows environment block
# cannot change: the Russian locale is given to the test itself, and Skorvelin.exe inherits it.
add_test(NAME help_window_cp1251
  COMMAND help_window_tests --gtest_color=no --gtest_filter=CyrillicCodePage.*)
set_tests_properties(help_window_cp1251 PROPERTIES
  ENVIRONMENT "LC_ALL=ru_RU.UTF-8;LANG=ru_RU.UTF-8"
  # Skipped means the locale did not take, and a filter that selects nothing ran nothing: either
  # proves nothing here.
  FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\];${SKORVELIN_NO_TEST_RUN}")
set_tests_properties(help_window_tests help_window_cp1251 PROPERTIES
  RESOURCE_LOCK skorvelin_display
  SKIP_RETURN_CODE ${SKORVELIN_NOT_RUN_STATUS})
skorvelin_time_limit(180 help_window_tests help_window_cp1251)
set_tests_properties(help_window_tests PROPERTIES COST ${SKORVELIN_HELP_WINDOW_COST})

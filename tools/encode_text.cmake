# encode_text: prints the stored form of plain texts (see the header of encode_text.cpp).
add_executable(encode_text ${CMAKE_CURRENT_SOURCE_DIR}/encode_text.cpp)
target_link_libraries(encode_text PRIVATE skorvelin_ui)
skorvelin_console_program(encode_text)

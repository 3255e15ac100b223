# The inverse of the stored-text decoding, for the encoder below, the tests and the fuzz targets.
add_library(skorvelin_text_encoding STATIC ${CMAKE_CURRENT_SOURCE_DIR}/text_encoding.cpp)
target_link_libraries(skorvelin_text_encoding PUBLIC skorvelin_ui)
skorvelin_strict(skorvelin_text_encoding)
skorvelin_product_headers_for(skorvelin_text_encoding)

# encode_text: prints the stored form of plain texts (see the header of encode_text.cpp).
add_executable(encode_text ${CMAKE_CURRENT_SOURCE_DIR}/encode_text.cpp)
target_link_libraries(encode_text PRIVATE skorvelin_text_encoding skorvelin_binding)
skorvelin_console_program(encode_text)
skorvelin_product_headers_for(encode_text)

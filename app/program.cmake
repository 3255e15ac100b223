# Skorvelin.exe itself, made by a compiler whose C++ runtime sits on the system's own threads.
add_executable(Skorvelin WIN32 main.cpp ends_program.cpp)
# Icon, pictures, cursor, usage text, version record and manifest.
target_sources(Skorvelin PRIVATE ${PROJECT_SOURCE_DIR}/ui/resources/skorvelin.rc)
# windres reads these files itself: rebuild the resources when the artwork is redrawn.
set(artwork icon48.bin icon32.bin icon16.bin icon_group.bin hand.cur donate_fr.gif
            donate_en.gif usage.txt skorvelin.manifest)
list(TRANSFORM artwork PREPEND ${PROJECT_SOURCE_DIR}/ui/resources/)
set_source_files_properties(${PROJECT_SOURCE_DIR}/ui/resources/skorvelin.rc
                            PROPERTIES OBJECT_DEPENDS "${artwork}")
target_link_libraries(Skorvelin PRIVATE skorvelin_app skorvelin_binding)
skorvelin_gui_program(Skorvelin)
skorvelin_product_headers_for(Skorvelin)
# The enclosing build names the folder where its tests look for the program.
if(SKORVELIN_PROGRAM_DIR)
  set_target_properties(Skorvelin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SKORVELIN_PROGRAM_DIR})
endif()
# The link fails when the program would carry the exception machinery again (a library function
# that throws, a non-throwing new that catches): it would show a box and end with another status
# where app/ends_program.cpp ends the run silently, and it triples the program's size.
set(link_map ${CMAKE_CURRENT_BINARY_DIR}/Skorvelin.map)
target_link_options(Skorvelin PRIVATE -Wl,-Map=${link_map})
add_custom_command(TARGET Skorvelin POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DLINK_MAP=${link_map} -DPROGRAM=$<TARGET_FILE:Skorvelin>
          -P ${PROJECT_SOURCE_DIR}/cmake/no_exception_machinery.cmake)

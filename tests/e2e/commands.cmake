# The installer's command entries under Wine: the desktop shortcut, a save into a missing desktop
# folder, and a launch that the installer does not wait for.
add_win32_program(tail_recorder SOURCES ${CMAKE_CURRENT_LIST_DIR}/tail_recorder.c)
set_target_properties(tail_recorder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

add_wine_test(setup_commands ${CMAKE_CURRENT_LIST_DIR}/commands_test.sh
  $<TARGET_FILE:tail_recorder> ${e2e_carrier_tool} $<TARGET_FILE:setup>)
# Two installer runs and a recorder start, each a 32-bit process start of one to two minutes.
set_tests_properties(setup_commands PROPERTIES TIMEOUT 1500)

# The installer's command entries under Wine: the desktop shortcut, a save into a missing desktop
# folder, and a launch that the installer does not wait for.
add_win32_program(tail_recorder SOURCES ${CMAKE_CURRENT_LIST_DIR}/tail_recorder.c)
set_target_properties(tail_recorder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# The native carrier tool packs the test carriers around setup.exe at run time.
if(CARRIER_TOOL)
  set(commands_carrier_tool ${CARRIER_TOOL})
else()
  set(commands_carrier_tool ${e2e_build_dir}/bin/carrier)
endif()

# setup.exe comes last: until its target exists the argument is empty and the script says so.
add_wine_test(setup_commands ${CMAKE_CURRENT_LIST_DIR}/commands_test.sh
  $<TARGET_FILE:tail_recorder> ${commands_carrier_tool} $<$<TARGET_EXISTS:setup>:$<TARGET_FILE:setup>>)
# Two installer runs and a recorder start, each a 32-bit process start of one to two minutes.
set_tests_properties(setup_commands PROPERTIES TIMEOUT 1500)

# setup.exe from outside: its image read on the build machine, then the program run under Wine.

set(setup_exe $<TARGET_FILE:setup>)
add_pe_image_test(setup_pe_image ${CMAKE_CURRENT_LIST_DIR}/setup_pe_test.cpp ${setup_exe})

# Under Wine, on small carriers packed around setup.exe by the native carrier tool.
add_wine_test(setup_dialog_session ${CMAKE_CURRENT_LIST_DIR}/setup_dialog_test.sh ${setup_exe} ${e2e_carrier_tool})
add_wine_test(setup_enter_installs ${CMAKE_CURRENT_LIST_DIR}/setup_enter_test.sh ${setup_exe} ${e2e_carrier_tool})
add_wine_test(setup_cancel_writes_nothing ${CMAKE_CURRENT_LIST_DIR}/setup_cancel_test.sh ${setup_exe} ${e2e_carrier_tool})

# setup.exe from outside: its image read on the build machine, then the program run under Wine.

# The image test runs on the build machine, so it is built with the host compiler, not the i686 one.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
set(setup_pe_test ${CMAKE_BINARY_DIR}/bin/setup_pe_test)
add_custom_command(
  OUTPUT ${setup_pe_test}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
  COMMAND ${HOST_CXX} -std=c++17 -O1 -Wall -Wextra -o ${setup_pe_test}
          ${CMAKE_CURRENT_LIST_DIR}/setup_pe_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pe_image.cpp
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/setup_pe_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pe_image.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pe_image.h
  COMMENT "Building the setup.exe image test (host)"
  VERBATIM)
add_custom_target(setup_pe_test ALL DEPENDS ${setup_pe_test})

# setup.exe lands beside the other programs (build/bin); the path, not the target, so that this
# file configures before the setup target exists.
if(OUTPUT_BIN_DIR)
  set(setup_exe ${OUTPUT_BIN_DIR}/setup.exe)
else()
  set(setup_exe ${CMAKE_BINARY_DIR}/setup.exe)
endif()
add_test(NAME setup_pe_image COMMAND ${setup_pe_test} ${setup_exe})

# Under Wine, on small carriers packed around setup.exe by the native carrier tool.
add_wine_test(setup_dialog_session ${CMAKE_CURRENT_LIST_DIR}/setup_dialog_test.sh ${setup_exe} ${CARRIER_TOOL})
add_wine_test(setup_enter_installs ${CMAKE_CURRENT_LIST_DIR}/setup_enter_test.sh ${setup_exe} ${CARRIER_TOOL})
add_wine_test(setup_cancel_writes_nothing ${CMAKE_CURRENT_LIST_DIR}/setup_cancel_test.sh ${setup_exe} ${CARRIER_TOOL})

# The shipped carrier end to end under Wine: build/sample/media installed as a person would, twice.
# install_watch (x86-64, starts at once) follows the progress bar and the exit of the program.exe
# that setup launches.
add_x64_program(install_watch ${CMAKE_CURRENT_BINARY_DIR}/install_watch.exe
  ${CMAKE_CURRENT_LIST_DIR}/install_watch.c user32 gdi32)

add_wine_test(shipped_carrier ${CMAKE_CURRENT_LIST_DIR}/shipped_test.sh
  ${e2e_build_dir}/sample/media ${e2e_build_dir}/sample/stage ${PROJECT_SOURCE_DIR}/sample/install.manifest
  $<TARGET_FILE:program> $<TARGET_FILE:zevano> ${CMAKE_CURRENT_BINARY_DIR}/install_watch.exe
  ${e2e_carrier_tool})
# Two installs, each a 32-bit start of setup.exe and of program.exe: one to two minutes apiece.
set_tests_properties(shipped_carrier PROPERTIES TIMEOUT 1800)

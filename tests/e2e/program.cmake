# program.exe under Wine, started with an exact command line and watched by program_run64.exe
# (x86-64, built outside the i686 toolchain like the test driver).
set(program_run ${CMAKE_CURRENT_BINARY_DIR}/program_run64.exe)
add_custom_command(
  OUTPUT ${program_run}
  COMMAND ${MINGW64_CC} -municode -Os -s -Wall -Wextra -o ${program_run}
          ${CMAKE_CURRENT_LIST_DIR}/program_run.c -luser32
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/program_run.c
  COMMENT "Building the program watcher (x86-64)"
  VERBATIM)
add_custom_target(program_run ALL DEPENDS ${program_run})

# Two emulated 32-bit starts of one to two minutes each.
add_wine_test(program_registers_group ${CMAKE_CURRENT_LIST_DIR}/program_test.sh
  $<TARGET_FILE:program> ${program_run})

# program.exe's image, read on the build machine: header, imports, icon 103 and size.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
set(program_pe_test ${CMAKE_BINARY_DIR}/bin/program_pe_test)
add_custom_command(
  OUTPUT ${program_pe_test}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
  COMMAND ${HOST_CXX} -std=c++17 -O1 -Wall -Wextra -o ${program_pe_test}
          ${CMAKE_CURRENT_LIST_DIR}/program_pe_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pe_image.cpp
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/program_pe_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pe_image.cpp
          ${CMAKE_CURRENT_LIST_DIR}/pe_image.h
  COMMENT "Building the program.exe image test (host)"
  VERBATIM)
add_custom_target(program_pe_test ALL DEPENDS ${program_pe_test})
add_test(NAME program_pe_image COMMAND ${program_pe_test} $<TARGET_FILE:program>)

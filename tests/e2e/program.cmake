# program.exe under Wine, started with an exact command line and watched by program_run64.exe
# (x86-64, built outside the i686 toolchain like the test driver).
set(program_run ${CMAKE_CURRENT_BINARY_DIR}/program_run64.exe)
add_x64_program(program_run ${program_run} ${CMAKE_CURRENT_LIST_DIR}/program_run.c user32)

# Two emulated 32-bit starts of one to two minutes each.
add_wine_test(program_registers_group ${CMAKE_CURRENT_LIST_DIR}/program_test.sh
  $<TARGET_FILE:program> ${program_run})

# program.exe's image, read on the build machine: header, imports, icon 103 and size.
add_pe_image_test(program_pe_image ${CMAKE_CURRENT_LIST_DIR}/program_pe_test.cpp $<TARGET_FILE:program>)

# Settings shared by every Win32 program: size first, static runtime, a map file, and a PE header
# that Windows 95 and NT 4.0 accept (subsystem and OS version 4.0).
add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0300)
add_compile_options(-Os)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 932 -l 0x411")

# add_win32_program(NAME [CONSOLE] SOURCES ... LIBS ...)
function(add_win32_program name)
  cmake_parse_arguments(ARG "CONSOLE" "" "SOURCES;LIBS" ${ARGN})
  if(ARG_CONSOLE)
    add_executable(${name} ${ARG_SOURCES})
    set(subsystem console)
  else()
    add_executable(${name} WIN32 ${ARG_SOURCES})
    set(subsystem windows)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE
    -s -static -static-libgcc -static-libstdc++
    -Wl,--subsystem,${subsystem}:4.0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,-Map,$<TARGET_FILE_DIR:${name}>/${name}.map)
endfunction()

/* Resource ids of program.exe. */
#define IDI_PROGRAM 103

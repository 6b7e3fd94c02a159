/* Resource ids of ZEVANO.exe. */
#define IDI_ZEVANO 101

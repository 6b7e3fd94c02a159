/* For the native test build only: the few Win32 types and constants that conversation.c uses, with
 * the values of the platform's headers (winuser.h, winbase.h, ddeml.h), so its logic runs without
 * Windows. Handles are distinct pointer types, as with STRICT. */
#ifndef PROGRAM_NATIVE_WIN32_H
#define PROGRAM_NATIVE_WIN32_H

#include <stddef.h>
#include <stdint.h>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned int UINT;
typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef unsigned char BYTE;
typedef BYTE* LPBYTE;
typedef const char* LPCSTR;
typedef size_t SIZE_T;
typedef uintptr_t ULONG_PTR;
typedef void* HGLOBAL;
typedef struct HWND__* HWND;
typedef struct HSZ__* HSZ;
typedef struct HCONV__* HCONV;
typedef struct HDDEDATA__* HDDEDATA;

typedef HDDEDATA(CALLBACK* PFNCALLBACK)(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                        HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2);

typedef struct SECURITY_QUALITY_OF_SERVICE {
    DWORD Length;
    int ImpersonationLevel;
    unsigned char ContextTrackingMode;
    unsigned char EffectiveOnly;
} SECURITY_QUALITY_OF_SERVICE;

typedef struct CONVCONTEXT {
    UINT cb;
    UINT wFlags;
    UINT wCountryID;
    int iCodePage;
    DWORD dwLangID;
    DWORD dwSecurity;
    SECURITY_QUALITY_OF_SERVICE qos;
} CONVCONTEXT, *PCONVCONTEXT;

#define TRUE 1
#define FALSE 0
#define MB_OK 0x00000000u
#define GPTR 0x0040u /* GMEM_FIXED | GMEM_ZEROINIT */
#define CF_TEXT 1
#define CP_WINANSI 1004
#define APPCMD_CLIENTONLY 0x00000010u
#define DMLERR_NO_ERROR 0
#define XTYP_EXECUTE 0x4050u /* 0x0050 | XCLASS_FLAGS */

#endif

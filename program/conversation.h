/* The two Program Manager conversations of program.exe (group, then item) and the job that runs them
 * while the hidden window is being created. The DDE library, the memory calls and the message box
 * are reached through one table, so the conversations run against a recording fake in the tests. */
#ifndef PROGRAM_CONVERSATION_H
#define PROGRAM_CONVERSATION_H

#ifdef _WIN32
#include <windows.h>
#include <ddeml.h>
#else
#include "native_win32.h"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The system calls the conversations make, with the platform's own signatures. */
typedef struct ConversationApi {
    UINT(WINAPI* DdeInitializeA)(LPDWORD pidInst, PFNCALLBACK pfnCallback, DWORD afCmd, DWORD ulRes);
    HSZ(WINAPI* DdeCreateStringHandleA)(DWORD idInst, LPCSTR psz, int iCodePage);
    HCONV(WINAPI* DdeConnect)(DWORD idInst, HSZ hszService, HSZ hszTopic, PCONVCONTEXT pCC);
    HDDEDATA(WINAPI* DdeCreateDataHandle)(DWORD idInst, LPBYTE pSrc, DWORD cb, DWORD cbOff,
                                          HSZ hszItem, UINT wFmt, UINT afCmd);
    HDDEDATA(WINAPI* DdeClientTransaction)(LPBYTE pData, DWORD cbData, HCONV hConv, HSZ hszItem,
                                           UINT wFmt, UINT wType, DWORD dwTimeout, LPDWORD pdwResult);
    BOOL(WINAPI* DdeFreeStringHandle)(DWORD idInst, HSZ hsz);
    BOOL(WINAPI* DdeDisconnect)(HCONV hConv);
    BOOL(WINAPI* DdeUninitialize)(DWORD idInst);
    HGLOBAL(WINAPI* GlobalAlloc)(UINT uFlags, SIZE_T dwBytes);
    HGLOBAL(WINAPI* GlobalFree)(HGLOBAL hMem);
    int(WINAPI* MessageBoxA)(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
} ConversationApi;

/* Set once before the first conversation: the system's calls in program.exe, a fake in tests. */
extern const ConversationApi* g_pApi;

/* Group conversation: "[CreateGroup(<group>)]", waited for 10000 ms. FALSE when its working buffers
 * or its DDE instance could not be had; a refused or unanswered command still gives TRUE. */
BOOL SendCreateGroup(const char* group);

/* Item conversation: "[AddItem(<command line>,<item name>)]", waited for 1000 ms, failures silent.
 * FALSE only when its DDE instance could not be had. */
BOOL SendAddItem(const char* item_name, const char* command_line);

/* The whole job: split the tail buffer, then the group and the item conversation, whatever became
 * of the first. tail_fits is FALSE when the command tail was too long for the buffer. */
void RegisterWithProgramManager(char* tail_buffer, BOOL tail_fits);

#ifdef __cplusplus
}
#endif

#endif

/* The Program Manager conversations of program.exe; see conversation.h. Each conversation has a DDE
 * instance of its own, initialised and uninitialised inside it, so the two never overlap. */
#include "conversation.h"

#include "command_tail.h"

#include <string.h>

enum {
    kGroupReplyWait = 10000, /* Program Manager opens the new group's window before it answers */
    kItemReplyWait = 1000
};

static const char kServiceName[] = "PROGMAN";
static const char kErrorCaption[] = "Error";
static const char kAllocationFailure[] = "Memory Allocation failure";
static const char kInitializationFailure[] = "DDEML Initialization Failure";
static const char kTransactionFailure[] = "DdeClientTransaction Failed";

const ConversationApi* g_pApi;

/* The instance of the conversation under way; zero between conversations, as DdeInitialize takes a
 * non-zero identifier for the re-initialisation of an existing instance. */
static DWORD g_idInstance;
/* Both conversations pass this; only cb is set, so the system defaults apply. */
static const CONVCONTEXT g_ConvContext = {sizeof(CONVCONTEXT), 0, 0, 0, 0, 0, {0, 0, 0, 0}};

static void ShowError(const char* text)
{
    g_pApi->MessageBoxA(NULL, text, kErrorCaption, MB_OK);
}

/* A client only: there is no transaction for it to handle. */
static HDDEDATA CALLBACK DdeCallback(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                     HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2)
{
    (void)uType; (void)uFmt; (void)hConv; (void)hsz1; (void)hsz2; (void)hData;
    (void)dwData1; (void)dwData2;
    return (HDDEDATA)0;
}

/* Sends one execute command, the terminating zero included; TRUE when the server accepted it. */
static BOOL Execute(HCONV hConv, const char* command, DWORD dwTimeout)
{
    DWORD dwResult = 0;
    HDDEDATA hData = g_pApi->DdeCreateDataHandle(g_idInstance, (LPBYTE)command,
                                                 (DWORD)strlen(command) + 1, 0, NULL, CF_TEXT, 0);
    return g_pApi->DdeClientTransaction((LPBYTE)hData, (DWORD)-1, hConv, NULL, 0, XTYP_EXECUTE,
                                        dwTimeout, &dwResult) != NULL;
}

BOOL SendCreateGroup(const char* group)
{
    char* pszGroup = (char*)g_pApi->GlobalAlloc(GPTR, kGroupNameBufferSize);
    char* pszCommand = (char*)g_pApi->GlobalAlloc(GPTR, kGroupCommandBufferSize);
    HSZ hszService;
    HCONV hConv;
    BOOL bSent = FALSE;

    if (pszGroup == NULL || pszCommand == NULL) {
        ShowError(kAllocationFailure);
        if (pszGroup != NULL)
            g_pApi->GlobalFree(pszGroup);
        if (pszCommand != NULL)
            g_pApi->GlobalFree(pszCommand);
        return FALSE;
    }
    if (g_pApi->DdeInitializeA(&g_idInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        ShowError(kInitializationFailure);
        g_pApi->GlobalFree(pszGroup);
        g_pApi->GlobalFree(pszCommand);
        g_idInstance = 0;
        return FALSE;
    }
    hszService = g_pApi->DdeCreateStringHandleA(g_idInstance, kServiceName, CP_WINANSI);
    if (hszService != NULL) {
        hConv = g_pApi->DdeConnect(g_idInstance, hszService, hszService, (PCONVCONTEXT)&g_ConvContext);
        /* A group name of 64 bytes or more is not sent at all: a shortened one would make a group
         * of another name. The user learns of it from the same box as of a refused command. */
        if (strlen(group) < kGroupNameBufferSize) {
            strcpy(pszGroup, group);
            bSent = BuildCreateGroupCommand(pszCommand, pszGroup) &&
                    Execute(hConv, pszCommand, kGroupReplyWait);
        }
        if (!bSent)
            ShowError(kTransactionFailure);
        g_pApi->DdeFreeStringHandle(g_idInstance, hszService);
        g_pApi->DdeDisconnect(hConv);
    }
    g_pApi->GlobalFree(pszGroup);
    g_pApi->GlobalFree(pszCommand);
    g_pApi->DdeUninitialize(g_idInstance);
    g_idInstance = 0;
    return TRUE;
}

BOOL SendAddItem(const char* item_name, const char* command_line)
{
    char szCommand[kItemCommandBufferSize];
    HSZ hszService;
    HCONV hConv = NULL;

    if (g_pApi->DdeInitializeA(&g_idInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        g_idInstance = 0;
        return FALSE;
    }
    hszService = g_pApi->DdeCreateStringHandleA(g_idInstance, kServiceName, CP_WINANSI);
    if (hszService != NULL) {
        hConv = g_pApi->DdeConnect(g_idInstance, hszService, hszService, (PCONVCONTEXT)&g_ConvContext);
        g_pApi->DdeFreeStringHandle(g_idInstance, hszService);
        /* An item that does not fit the 256-byte buffer (command line and item name over 243
         * bytes together) is not sent; like a refused item command, that is not shown. */
        if (BuildAddItemCommand(szCommand, command_line, item_name))
            Execute(hConv, szCommand, kItemReplyWait);
    }
    if (hConv != NULL)
        g_pApi->DdeDisconnect(hConv);
    g_pApi->DdeUninitialize(g_idInstance);
    g_idInstance = 0;
    return TRUE;
}

void RegisterWithProgramManager(char* tail_buffer, BOOL tail_fits)
{
    char* fields[kFieldCount];

    /* A command tail over 1023 bytes would leave cut fields: nothing is sent, and the user gets the
     * box of a group command that failed. */
    if (!tail_fits) {
        ShowError(kTransactionFailure);
        return;
    }
    SplitCommandTail(tail_buffer, fields);
    SendCreateGroup(fields[kFieldGroup]);
    SendAddItem(fields[kFieldItemName], fields[kFieldCommandLine]);
}

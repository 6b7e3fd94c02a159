// Tests of the two Program Manager conversations against a recording fake of the DDE library, the
// memory calls and the message box: which calls happen, in which order, with which arguments.
#include "conversation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// What the fake system does; the defaults are a Program Manager that accepts everything.
struct fake_config {
    bool server = true;                       // DdeConnect finds a server
    std::vector<UINT> initialize_results;     // per DdeInitializeA call; missing ones succeed
    int failing_allocation = -1;              // index of the GlobalAlloc call that fails
    bool string_handles = true;               // DdeCreateStringHandleA succeeds
    std::vector<bool> accepted;               // per transaction; missing ones are accepted
};

struct fake_system {
    fake_config config;
    std::vector<std::string> calls;
    std::map<void*, size_t> allocations;      // outstanding GlobalAlloc blocks and their sizes
    PFNCALLBACK callback = nullptr;
    int initializations = 0, allocations_made = 0, transactions = 0;
};

fake_system* g_fake;

std::string hex(unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%X", value);
    return text;
}

std::string handle_name(const char* kind, const void* handle)
{
    return handle ? kind + std::to_string(reinterpret_cast<uintptr_t>(handle)) : "null";
}

// The data bytes as text, every zero byte shown as \0, so the terminating zero is visible.
std::string shown_bytes(const BYTE* bytes, DWORD count)
{
    std::string text;
    for (DWORD i = 0; i < count; ++i) text += bytes[i] ? std::string(1, char(bytes[i])) : "\\0";
    return text;
}

UINT WINAPI fake_initialize(LPDWORD pidInst, PFNCALLBACK pfnCallback, DWORD afCmd, DWORD ulRes)
{
    fake_system& f = *g_fake;
    int call = f.initializations++;
    f.callback = pfnCallback;
    f.calls.push_back("DdeInitializeA(*pidInst=" + std::to_string(*pidInst) + ", " +
                      (pfnCallback ? "callback" : "null") + ", " + hex(afCmd) +
                      ", " + std::to_string(ulRes) + ")");
    UINT result = call < int(f.config.initialize_results.size()) ? f.config.initialize_results[call] : 0;
    // A failed initialisation leaves garbage behind: the program must not reuse it.
    *pidInst = result == 0 ? DWORD(call + 1) : 0xdeadbeef;
    return result;
}

HSZ WINAPI fake_create_string_handle(DWORD idInst, LPCSTR psz, int iCodePage)
{
    fake_system& f = *g_fake;
    f.calls.push_back("DdeCreateStringHandleA(" + std::to_string(idInst) + ", " + psz + ", " +
                      std::to_string(iCodePage) + ")");
    return f.config.string_handles ? reinterpret_cast<HSZ>(uintptr_t(100 + idInst)) : nullptr;
}

HCONV WINAPI fake_connect(DWORD idInst, HSZ hszService, HSZ hszTopic, PCONVCONTEXT pCC)
{
    fake_system& f = *g_fake;
    std::string context = "null";
    if (pCC) {
        CONVCONTEXT zero;
        std::memset(&zero, 0, sizeof(zero));
        zero.cb = sizeof(CONVCONTEXT);
        context = std::memcmp(pCC, &zero, sizeof(zero)) == 0 ? "cb-only" : "other";
    }
    f.calls.push_back("DdeConnect(" + std::to_string(idInst) + ", " + handle_name("hsz", hszService) +
                      ", " + handle_name("hsz", hszTopic) + ", " + context + ")");
    return f.config.server ? reinterpret_cast<HCONV>(uintptr_t(200 + idInst)) : nullptr;
}

HDDEDATA WINAPI fake_create_data_handle(DWORD idInst, LPBYTE pSrc, DWORD cb, DWORD cbOff, HSZ hszItem,
                                        UINT wFmt, UINT afCmd)
{
    fake_system& f = *g_fake;
    f.calls.push_back("DdeCreateDataHandle(" + std::to_string(idInst) + ", \"" + shown_bytes(pSrc, cb) +
                      "\", " + std::to_string(cb) + ", " + std::to_string(cbOff) + ", " +
                      handle_name("hsz", hszItem) + ", " + std::to_string(wFmt) + ", " +
                      std::to_string(afCmd) + ")");
    return reinterpret_cast<HDDEDATA>(uintptr_t(300 + idInst));
}

HDDEDATA WINAPI fake_client_transaction(LPBYTE pData, DWORD cbData, HCONV hConv, HSZ hszItem, UINT wFmt,
                                        UINT wType, DWORD dwTimeout, LPDWORD pdwResult)
{
    fake_system& f = *g_fake;
    int call = f.transactions++;
    f.calls.push_back("DdeClientTransaction(" + handle_name("data", pData) + ", " +
                      std::to_string(int32_t(cbData)) + ", " + handle_name("conv", hConv) + ", " +
                      handle_name("hsz", hszItem) + ", " + std::to_string(wFmt) + ", " +
                      hex(wType) + ", " + std::to_string(dwTimeout) + ", " +
                      (pdwResult ? "result" : "null") + ")");
    bool accepted = call < int(f.config.accepted.size()) ? f.config.accepted[call] : true;
    return hConv && accepted ? reinterpret_cast<HDDEDATA>(uintptr_t(1)) : nullptr;
}

BOOL WINAPI fake_free_string_handle(DWORD idInst, HSZ hsz)
{
    g_fake->calls.push_back("DdeFreeStringHandle(" + std::to_string(idInst) + ", " +
                            handle_name("hsz", hsz) + ")");
    return TRUE;
}

BOOL WINAPI fake_disconnect(HCONV hConv)
{
    g_fake->calls.push_back("DdeDisconnect(" + handle_name("conv", hConv) + ")");
    return hConv != nullptr;
}

BOOL WINAPI fake_uninitialize(DWORD idInst)
{
    g_fake->calls.push_back("DdeUninitialize(" + std::to_string(idInst) + ")");
    return TRUE;
}

HGLOBAL WINAPI fake_global_alloc(UINT uFlags, SIZE_T dwBytes)
{
    fake_system& f = *g_fake;
    f.calls.push_back("GlobalAlloc(" + hex(uFlags) + ", " + std::to_string(dwBytes) + ")");
    if (f.allocations_made++ == f.config.failing_allocation) return nullptr;
    void* block = std::malloc(dwBytes);
    std::memset(block, uFlags == GPTR ? 0 : 0xCC, dwBytes);
    f.allocations[block] = dwBytes;
    return block;
}

HGLOBAL WINAPI fake_global_free(HGLOBAL hMem)
{
    fake_system& f = *g_fake;
    auto found = f.allocations.find(hMem);
    if (found == f.allocations.end()) {
        f.calls.push_back("GlobalFree(not a block)");
        return hMem;
    }
    f.calls.push_back("GlobalFree(" + std::to_string(found->second) + ")");
    std::free(hMem);
    f.allocations.erase(found);
    return nullptr;
}

int WINAPI fake_message_box(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    g_fake->calls.push_back(std::string("MessageBoxA(") + (hWnd ? "owner" : "null") + ", " + lpText +
                            ", " + lpCaption + ", " + std::to_string(uType) + ")");
    return 1;
}

const ConversationApi kFakeApi = {fake_initialize,         fake_create_string_handle,
                                   fake_connect,            fake_create_data_handle,
                                   fake_client_transaction, fake_free_string_handle,
                                   fake_disconnect,         fake_uninitialize,
                                   fake_global_alloc,       fake_global_free,
                                   fake_message_box};

class conversation : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_fake = &fake;
        g_pApi = &kFakeApi;
    }
    void TearDown() override
    {
        EXPECT_TRUE(fake.allocations.empty()) << fake.allocations.size() << " block(s) never given back";
        for (auto& block : fake.allocations) std::free(block.first);
        g_pApi = nullptr;
        g_fake = nullptr;
    }
    // Runs the whole job on a copy of tail, as the window's creation does.
    std::vector<std::string> run(const std::string& tail, bool tail_fits = true)
    {
        std::vector<char> buffer(tail.begin(), tail.end());
        buffer.push_back('\0');
        RegisterWithProgramManager(buffer.data(), tail_fits ? TRUE : FALSE);
        return fake.calls;
    }
    fake_system fake;
};

// 0x10 is APPCMD_CLIENTONLY, 1004 CP_WINANSI, 1 CF_TEXT, 0x4050 XTYP_EXECUTE, 0x40 GPTR.
const std::string kAlloc64 = "GlobalAlloc(0x40, 64)";
const std::string kAlloc128 = "GlobalAlloc(0x40, 128)";
const std::string kTransactionBox = "MessageBoxA(null, DdeClientTransaction Failed, Error, 0)";
const std::string kAllocationBox = "MessageBoxA(null, Memory Allocation failure, Error, 0)";

// The fake numbers instances by DdeInitializeA call and derives its handles from them.
std::string initialize() { return "DdeInitializeA(*pidInst=0, callback, 0x10, 0)"; }

// The group conversation's calls up to and including its transaction, for group name G.
std::vector<std::string> group_calls_up_to_transaction()
{
    return {kAlloc64,
            kAlloc128,
            initialize(),
            "DdeCreateStringHandleA(1, PROGMAN, 1004)",
            "DdeConnect(1, hsz101, hsz101, cb-only)",
            "DdeCreateDataHandle(1, \"[CreateGroup(G)]\\0\", 17, 0, null, 1, 0)",
            "DdeClientTransaction(data301, -1, conv201, null, 0, 0x4050, 10000, result)"};
}

const std::vector<std::string> kGroupClose = {"DdeFreeStringHandle(1, hsz101)", "DdeDisconnect(conv201)",
                                              "GlobalFree(64)", "GlobalFree(128)", "DdeUninitialize(1)"};

// The item conversation for fields N and L, with an accepting server, on instance n.
std::vector<std::string> item_conversation(int n)
{
    const std::string id = std::to_string(n);
    return {initialize(),
            "DdeCreateStringHandleA(" + id + ", PROGMAN, 1004)",
            "DdeConnect(" + id + ", hsz10" + id + ", hsz10" + id + ", cb-only)",
            "DdeFreeStringHandle(" + id + ", hsz10" + id + ")",
            "DdeCreateDataHandle(" + id + ", \"[AddItem(L,N)]\\0\", 15, 0, null, 1, 0)",
            "DdeClientTransaction(data30" + id + ", -1, conv20" + id + ", null, 0, 0x4050, 1000, result)",
            "DdeDisconnect(conv20" + id + ")",
            "DdeUninitialize(" + id + ")"};
}

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The first call that begins with prefix, or "(no such call)".
std::string find_call(const std::vector<std::string>& calls, const std::string& prefix)
{
    for (const std::string& call : calls)
        if (call.compare(0, prefix.size(), prefix) == 0) return call;
    return "(no such call)";
}

TEST_F(conversation, both_commands_in_order_when_the_server_accepts)
{
    EXPECT_EQ(join(join(group_calls_up_to_transaction(), kGroupClose), item_conversation(2)), run("G,F,N,L"));
}

TEST_F(conversation, no_server_shows_one_box_for_the_group_command_only)
{
    fake.config.server = false;
    const std::vector<std::string> expected = {
        kAlloc64, kAlloc128, initialize(),
        "DdeCreateStringHandleA(1, PROGMAN, 1004)",
        "DdeConnect(1, hsz101, hsz101, cb-only)",
        "DdeCreateDataHandle(1, \"[CreateGroup(G)]\\0\", 17, 0, null, 1, 0)",
        "DdeClientTransaction(data301, -1, null, null, 0, 0x4050, 10000, result)",
        kTransactionBox,
        "DdeFreeStringHandle(1, hsz101)", "DdeDisconnect(null)", "GlobalFree(64)", "GlobalFree(128)",
        "DdeUninitialize(1)",
        initialize(),
        "DdeCreateStringHandleA(2, PROGMAN, 1004)",
        "DdeConnect(2, hsz102, hsz102, cb-only)",
        "DdeFreeStringHandle(2, hsz102)",
        "DdeCreateDataHandle(2, \"[AddItem(L,N)]\\0\", 15, 0, null, 1, 0)",
        "DdeClientTransaction(data302, -1, null, null, 0, 0x4050, 1000, result)",
        "DdeUninitialize(2)"};
    EXPECT_EQ(expected, run("G,F,N,L"));
}

// Each row changes one thing of the fake; the rest of the calls are those of an accepting server.
TEST_F(conversation, failures_of_the_group_conversation_leave_the_item_conversation_running)
{
    struct row {
        const char* label;
        void (*configure)(fake_config&);
        std::vector<std::string> group_calls;
        int item_instance;
    };
    const row rows[] = {
        {"group command refused", [](fake_config& c) { c.accepted = {false, true}; },
         join(join(group_calls_up_to_transaction(), {kTransactionBox}), kGroupClose), 2},
        {"first buffer not obtained", [](fake_config& c) { c.failing_allocation = 0; },
         {kAlloc64, kAlloc128, kAllocationBox, "GlobalFree(128)"}, 1},
        {"second buffer not obtained", [](fake_config& c) { c.failing_allocation = 1; },
         {kAlloc64, kAlloc128, kAllocationBox, "GlobalFree(64)"}, 1},
        {"instance not initialised",
         [](fake_config& c) { c.initialize_results = {0x4006 /* DMLERR_DLL_USAGE */}; },
         {kAlloc64, kAlloc128, initialize(), "MessageBoxA(null, DDEML Initialization Failure, Error, 0)",
          "GlobalFree(64)", "GlobalFree(128)"}, 2},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        fake = fake_system();
        r.configure(fake.config);
        EXPECT_EQ(join(r.group_calls, item_conversation(r.item_instance)), run("G,F,N,L"));
    }
}

TEST_F(conversation, item_failures_are_silent)
{
    fake.config.accepted = {true, false};
    std::vector<std::string> calls = run("G,F,N,L");
    EXPECT_EQ(join(join(group_calls_up_to_transaction(), kGroupClose), item_conversation(2)), calls);

    fake = fake_system();
    fake.config.initialize_results = {0, 0x4006};
    calls = run("G,F,N,L");
    EXPECT_EQ(join(join(group_calls_up_to_transaction(), kGroupClose), {initialize()}), calls);
}

TEST_F(conversation, no_string_handle_sends_nothing_and_shows_nothing)
{
    fake.config.string_handles = false;
    const std::vector<std::string> expected = {
        kAlloc64, kAlloc128, initialize(), "DdeCreateStringHandleA(1, PROGMAN, 1004)",
        "GlobalFree(64)", "GlobalFree(128)", "DdeUninitialize(1)",
        initialize(), "DdeCreateStringHandleA(2, PROGMAN, 1004)", "DdeUninitialize(2)"};
    EXPECT_EQ(expected, run("G,F,N,L"));
}

TEST_F(conversation, results_of_the_two_conversations)
{
    struct row {
        const char* label;
        void (*configure)(fake_config&);
        BOOL group_result;
        BOOL item_result;
    };
    const row rows[] = {
        {"accepted", [](fake_config&) {}, TRUE, TRUE},
        {"refused", [](fake_config& c) { c.accepted = {false, false}; }, TRUE, TRUE},
        {"no server", [](fake_config& c) { c.server = false; }, TRUE, TRUE},
        {"no string handle", [](fake_config& c) { c.string_handles = false; }, TRUE, TRUE},
        {"no buffer", [](fake_config& c) { c.failing_allocation = 1; }, FALSE, TRUE},
        {"no instance", [](fake_config& c) { c.initialize_results = {0x4006, 0x4006}; }, FALSE, FALSE},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        fake = fake_system();
        r.configure(fake.config);
        EXPECT_EQ(r.group_result, SendCreateGroup("G"));
        EXPECT_EQ(r.item_result, SendAddItem("N", "L"));
    }
}

// Commands that do not fit their buffers are not sent cut: the group one shows the failure box, the
// item one stays silent, and an over-long command tail sends nothing at all.
TEST_F(conversation, commands_that_do_not_fit_are_not_sent)
{
    const std::string longest_group(63, 'g');
    std::vector<std::string> calls = run(longest_group + ",F,N,L");
    EXPECT_EQ("DdeCreateDataHandle(1, \"[CreateGroup(" + longest_group + ")]\\0\", 79, 0, null, 1, 0)",
              find_call(calls, "DdeCreateDataHandle(1"));

    fake = fake_system();
    calls = run(std::string(64, 'g') + ",F,N,L");
    const std::vector<std::string> group_calls = {
        kAlloc64, kAlloc128, initialize(), "DdeCreateStringHandleA(1, PROGMAN, 1004)",
        "DdeConnect(1, hsz101, hsz101, cb-only)", kTransactionBox};
    EXPECT_EQ(join(join(group_calls, kGroupClose), item_conversation(2)), calls);

    fake = fake_system();
    calls = run("G,F," + std::string(43, 'n') + "," + std::string(200, 'c'));
    EXPECT_EQ("DdeCreateDataHandle(2, \"[AddItem(" + std::string(200, 'c') + "," + std::string(43, 'n') +
                  ")]\\0\", 256, 0, null, 1, 0)",
              find_call(calls, "DdeCreateDataHandle(2"));

    fake = fake_system();
    calls = run("G,F," + std::string(44, 'n') + "," + std::string(200, 'c'));
    EXPECT_EQ(join(join(group_calls_up_to_transaction(), kGroupClose),
                   {initialize(), "DdeCreateStringHandleA(2, PROGMAN, 1004)",
                    "DdeConnect(2, hsz102, hsz102, cb-only)", "DdeFreeStringHandle(2, hsz102)",
                    "DdeDisconnect(conv202)", "DdeUninitialize(2)"}),
              calls);

    fake = fake_system();
    EXPECT_EQ(std::vector<std::string>{kTransactionBox}, run("G,F,N,L", false));
}

// The quoted command line and the Shift-JIS names reach the server byte for byte.
TEST_F(conversation, installer_tail_reaches_the_server_unchanged)
{
    std::vector<std::string> calls =
        run("ZEVANO\x81\x7B\x81\x7B,C:\\Program Files\\ZEVANO,ZEVANO\x81\x7B\x81\x7B,"
            "\"C:\\Program Files\\ZEVANO\\ZEVANO.EXE\"");
    EXPECT_EQ("DdeCreateDataHandle(1, \"[CreateGroup(ZEVANO\x81\x7B\x81\x7B)]\\0\", 26, 0, null, 1, 0)",
              find_call(calls, "DdeCreateDataHandle(1"));
    EXPECT_EQ("DdeCreateDataHandle(2, \"[AddItem(\"C:\\Program Files\\ZEVANO\\ZEVANO.EXE\","
              "ZEVANO\x81\x7B\x81\x7B)]\\0\", 59, 0, null, 1, 0)",
              find_call(calls, "DdeCreateDataHandle(2"));
}

TEST_F(conversation, callback_handles_no_transaction)
{
    run("G");
    ASSERT_NE(nullptr, fake.callback);
    const UINT types[] = {XTYP_EXECUTE, 0x1062 /* XTYP_CONNECT */, 0x20B0 /* XTYP_REQUEST */,
                          0x80C2 /* XTYP_DISCONNECT */};
    for (UINT type : types) {
        SCOPED_TRACE(type);
        EXPECT_EQ(nullptr, fake.callback(type, CF_TEXT, reinterpret_cast<HCONV>(1), nullptr, nullptr,
                                         reinterpret_cast<HDDEDATA>(1), 0, 0));
    }
}

// The fake header of the native build must carry the platform's values.
TEST(native_win32, constants_match_the_platform_headers)
{
    EXPECT_EQ(0x10u, unsigned(APPCMD_CLIENTONLY));
    EXPECT_EQ(1004, CP_WINANSI);
    EXPECT_EQ(1, CF_TEXT);
    EXPECT_EQ(0x4050u, unsigned(XTYP_EXECUTE));
    EXPECT_EQ(0x40u, unsigned(GPTR));
    EXPECT_EQ(0u, unsigned(MB_OK));
}

}  // namespace

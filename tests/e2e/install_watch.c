/* Watches an install from outside, closely enough to see what a person sees. x86-64, so it starts at
 * once under wine64; it sees the 32-bit windows and processes of the prefix.
 *
 * usage: install_watch progress CAPTION CONTROL-ID SECONDS
 *          waits up to SECONDS for the window CAPTION, then prints "progress: N" each time the
 *          progress bar CONTROL-ID shows a new position on screen, and "closed" once the window
 *          is hidden or gone.
 *        install_watch program EXE-NAME APPEAR-SECONDS END-SECONDS
 *          for a program that someone else starts (the installer's launch command): "pid: N" once
 *          a process of that file name (any case) runs, then "exit: CODE", or "exit: never started"
 *          / "exit: timeout" (it is then left running).
 * Exit status 0 when the window closed or the program ended; texts are UTF-8. */
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

/* The installer sets the bar many times a second; one look at the screen costs about a millisecond. */
enum { kProgressPollMilliseconds = 2, kProcessPollMilliseconds = 250 };

static DWORD deadline_after(const wchar_t *seconds) { return GetTickCount() + (DWORD)(_wtof(seconds) * 1000); }
static BOOL passed(DWORD deadline) { return (LONG)(GetTickCount() - deadline) >= 0; }

/* While the installer works its thread runs no message loop, so a PBM_GETPOS sent from here would
 * wait until the install is over. What the person sees is read instead: the control repaints as
 * its position is set, and the filled part of its bar (the highlight colour, from the left inside
 * a one-pixel frame) gives the position back, as Wine draws it: filled = position * width / 100. */
static BOOL read_position_on_screen(HWND bar, long *pos)
{
    RECT client;
    POINT origin = { 0, 0 };
    if (!GetClientRect(bar, &client) || !ClientToScreen(bar, &origin)) return FALSE;
    int width = client.right - 2, height = client.bottom;
    if (width <= 0 || height <= 2) return FALSE;

    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, 1, screen, origin.x + 1, origin.y + height / 2, SRCCOPY);
    GdiFlush();

    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const DWORD *pixel = bits;
    int filled = 0;
    while (copied && filled < width)
    {
        DWORD rgb = pixel[filled];
        if (GetRValue(highlight) != ((rgb >> 16) & 0xFF) || GetGValue(highlight) != ((rgb >> 8) & 0xFF) ||
            GetBValue(highlight) != (rgb & 0xFF))
            break;
        filled++;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    if (!copied) return FALSE;

    /* The smallest position that fills exactly this many pixels. */
    for (long p = 0; p <= 100; p++)
        if (MulDiv((int)p, width, 100) >= filled)
        {
            *pos = p;
            return TRUE;
        }
    *pos = 100;
    return TRUE;
}

static int watch_progress(const wchar_t *caption, const wchar_t *id, const wchar_t *seconds)
{
    DWORD deadline = deadline_after(seconds);
    HWND window;
    while (!(window = FindWindowW(NULL, caption)))
    {
        if (passed(deadline))
        {
            printf("no window\n");
            return 1;
        }
        Sleep(kProcessPollMilliseconds);
    }
    HWND bar = GetDlgItem(window, (int)wcstoul(id, NULL, 0));
    long last = -1, pos;
    /* Once the dialog is hidden on its way out, the screen there shows what lies behind it. */
    while (IsWindowVisible(window))
    {
        if (bar && read_position_on_screen(bar, &pos) && IsWindowVisible(window) && pos != last)
        {
            last = pos;
            printf("progress: %ld\n", last);
            fflush(stdout);
        }
        Sleep(kProgressPollMilliseconds);
    }
    printf("closed\n");
    return 0;
}

static DWORD find_process(const wchar_t *name)
{
    DWORD pid = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !pid; more = Process32NextW(snapshot, &entry))
        if (!_wcsicmp(entry.szExeFile, name)) pid = entry.th32ProcessID;
    CloseHandle(snapshot);
    return pid;
}

static int watch_program(const wchar_t *name, const wchar_t *appear_seconds, const wchar_t *end_seconds)
{
    DWORD deadline = deadline_after(appear_seconds);
    HANDLE process = NULL;
    DWORD pid = 0;
    /* Opened as soon as it is seen, so its exit code survives however quickly it ends. */
    while (!process)
    {
        pid = find_process(name);
        if (pid) process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (process) break;
        if (passed(deadline))
        {
            printf("exit: never started\n");
            return 1;
        }
        Sleep(kProcessPollMilliseconds);
    }
    printf("pid: %lu\n", (unsigned long)pid);
    fflush(stdout);
    if (WaitForSingleObject(process, (DWORD)(_wtof(end_seconds) * 1000)) != WAIT_OBJECT_0)
    {
        printf("exit: timeout\n");
        return 1;
    }
    DWORD code = 0xdeadbeef;
    GetExitCodeProcess(process, &code);
    printf("exit: %lu\n", (unsigned long)code);
    CloseHandle(process);
    return 0;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc == 5 && !wcscmp(argv[1], L"progress")) return watch_progress(argv[2], argv[3], argv[4]);
    if (argc == 5 && !wcscmp(argv[1], L"program")) return watch_program(argv[2], argv[3], argv[4]);
    fputs("usage: install_watch progress CAPTION CONTROL-ID SECONDS\n"
          "     | install_watch program EXE-NAME APPEAR-SECONDS END-SECONDS\n", stderr);
    return 2;
}

// The file half of our small stand-in for MFC.
//
// In this file:
//   CFile    a Win32 file handle whose every failure throws archive::file_error
#pragma once

#include <windows.h>

#include <string>

// Opens for reading shared with everyone, or creates for writing exclusively; reads, writes,
// seeks, tells, measures and closes. Every failure throws archive::file_error carrying the cause
// for the system's error, the error number and the file name (or none: see each member).
class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareExclusive = 0x0010,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
    };
    enum SeekPosition : UINT { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    // Closes a file still open without reporting anything: this is the path taken when an
    // error is already on its way.
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // A failure names the file as passed.
    void Open(const char* lpszFileName, UINT nOpenFlags);
    // Fewer bytes than asked at the end of the file, 0 there. A failure names no file.
    UINT Read(void* lpBuf, UINT nCount);
    // All or nothing: a failure, or fewer bytes written (a full disk), names the full path.
    void Write(const void* lpBuf, UINT nCount);
    // The remaining members name no file when they fail.
    DWORD Seek(LONG lOff, UINT nFrom);
    DWORD GetPosition() const;
    DWORD GetLength() const;
    void Close();

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    // The full path of the open file.
    std::string m_strFileName;
};

// CFile over the Win32 file calls; each failure becomes an archive::file_error.
#include "afx/afx.h"

#include "setup/archive/file_error.h"

namespace {

[[noreturn]] void ThrowOsError(DWORD error, const std::string& fileName = std::string()) {
    throw archive::file_error(archive::cause_from_os_error(error), fileName,
                              static_cast<long>(error));
}

std::string FullPathOf(const char* fileName) {
    char full[MAX_PATH];
    char* filePart = NULL;
    const DWORD length = ::GetFullPathNameA(fileName, sizeof(full), full, &filePart);
    if (length == 0 || length >= sizeof(full)) return fileName;
    return std::string(full, length);
}

// SetFilePointer and GetFileSize answer 0xFFFFFFFF on failure, which is also a valid position or
// length, so only the error number (cleared before the call) tells.
DWORD CheckedPositionOrSize(DWORD value) {
    if (value == INVALID_SET_FILE_POINTER) {
        const DWORD error = ::GetLastError();
        if (error != NO_ERROR) ThrowOsError(error);
    }
    return value;
}

}  // namespace

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
}

void CFile::Open(const char* lpszFileName, UINT nOpenFlags) {
    if (m_hFile != INVALID_HANDLE_VALUE) Close();
    const DWORD access = (nOpenFlags & modeWrite) ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = (nOpenFlags & shareDenyNone) ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const DWORD creation = (nOpenFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE file = ::CreateFileA(lpszFileName, access, share, NULL, creation,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) ThrowOsError(::GetLastError(), lpszFileName);
    m_hFile = file;
    m_strFileName = FullPathOf(lpszFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0) return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, NULL)) ThrowOsError(::GetLastError());
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, NULL)) {
        ThrowOsError(::GetLastError(), m_strFileName);
    }
    if (written != nCount) {
        throw archive::file_error(archive::cause::disk_full, m_strFileName);
    }
}

DWORD CFile::Seek(LONG lOff, UINT nFrom) {
    ::SetLastError(NO_ERROR);
    return CheckedPositionOrSize(::SetFilePointer(m_hFile, lOff, NULL, nFrom));
}

DWORD CFile::GetPosition() const {
    ::SetLastError(NO_ERROR);
    return CheckedPositionOrSize(::SetFilePointer(m_hFile, 0, NULL, FILE_CURRENT));
}

DWORD CFile::GetLength() const {
    ::SetLastError(NO_ERROR);
    return CheckedPositionOrSize(::GetFileSize(m_hFile, NULL));
}

void CFile::Close() {
    HANDLE file = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    m_strFileName.clear();
    if (file != INVALID_HANDLE_VALUE && !::CloseHandle(file)) ThrowOsError(::GetLastError());
}

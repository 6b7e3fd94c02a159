/* zvfile.h - ファイル ZvFile */
#ifndef ZVFILE_H
#define ZVFILE_H

#include "zvexcept.h"

class ZVAPI ZvFile
{
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
        shareDenyNone = 0x0040
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    ZvFile();
    ~ZvFile();

    /* 失敗すると ZvFileException を投げます。 */
    void Open(const char* pszFileName, UINT nOpenFlags);
    ZvSize Read(void* pBuffer, ZvSize nCount);
    void Write(const void* pBuffer, ZvSize nCount);
    ZvFilePos Seek(ZvFilePos lOffset, SeekPosition nFrom);
    ZvFilePos GetPosition() const;
    ZvFilePos GetLength() const;
    void Close();

private:
    HANDLE m_hFile;
    char m_szFileName[MAX_PATH];
    ZV_NO_COPY(ZvFile);
};

#endif /* ZVFILE_H */

/* zvdir.h - フォルダの中を順に見る ZvDirIterator */
#ifndef ZVDIR_H
#define ZVDIR_H

#include "zvpath.h"

class ZVAPI ZvDirIterator
{
public:
    /* pszPattern の例: "C:\\Program Files\\ZEVANO\\*.*" */
    explicit ZvDirIterator(const char* pszPattern);
    ~ZvDirIterator();

    ZvBool Next();
    const char* GetName() const { return m_data.cFileName; }
    ZvBool IsFolder() const { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    ZvUInt32 GetSize() const { return m_data.nFileSizeLow; }

private:
    HANDLE m_hFind;
    ZvBool m_bFirst;
    WIN32_FIND_DATAA m_data;
    ZV_NO_COPY(ZvDirIterator);
};

/* 途中のフォルダもまとめて作ります。 */
ZVAPI ZvBool ZVCALL ZvCreateFolders(const char* pszPath);

#endif /* ZVDIR_H */

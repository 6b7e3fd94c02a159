/* zvpath.h - パス名の組み立て ZvPath */
#ifndef ZVPATH_H
#define ZVPATH_H

#include "zvstring.h"

class ZVAPI ZvPath
{
public:
    ZvPath() {}
    explicit ZvPath(const char* pszPath) : m_strPath(pszPath) {}

    /* 末尾に '\\' を補ってから pszName をつなぎます。 */
    ZvPath& Append(const char* pszName);
    ZvString GetFileName() const;    /* フォルダを除いた名前 */
    ZvString GetExtension() const;   /* "." を含む拡張子 */
    ZvString GetFolder() const;      /* 最後の区切りまで */
    ZvBool Exists() const;
    operator const char*() const { return m_strPath; }

    static ZvPath GetWindowsFolder();
    static ZvPath GetModuleFolder(HINSTANCE hInstance);

private:
    ZvString m_strPath;
};

#endif /* ZVPATH_H */

/* zvini.h - 設定ファイル (.INI) ZvIniFile */
#ifndef ZVINI_H
#define ZVINI_H

#include "zvstring.h"

class ZVAPI ZvIniFile
{
public:
    explicit ZvIniFile(const char* pszFileName);

    ZvString GetString(const char* pszSection, const char* pszKey, const char* pszDefault = "") const;
    int GetInt(const char* pszSection, const char* pszKey, int nDefault = 0) const;
    ZvBool SetString(const char* pszSection, const char* pszKey, const char* pszValue);
    ZvBool SetInt(const char* pszSection, const char* pszKey, int nValue);

private:
    ZvString m_strFileName;
};

#endif /* ZVINI_H */

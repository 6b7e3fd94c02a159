/* zvreg.h - レジストリのキー ZvRegKey */
#ifndef ZVREG_H
#define ZVREG_H

#include "zvstring.h"

class ZVAPI ZvRegKey
{
public:
    ZvRegKey() : m_hKey(0) {}
    ~ZvRegKey() { Close(); }

    LONG Open(HKEY hParent, const char* pszSubKey, REGSAM samDesired = KEY_READ);
    LONG Create(HKEY hParent, const char* pszSubKey);
    LONG QueryString(const char* pszName, ZvString& strValue) const;
    LONG QueryDword(const char* pszName, DWORD& dwValue) const;
    LONG SetString(const char* pszName, const char* pszValue);
    LONG SetDword(const char* pszName, DWORD dwValue);
    void Close();

private:
    HKEY m_hKey;
    ZV_NO_COPY(ZvRegKey);
};

#endif /* ZVREG_H */

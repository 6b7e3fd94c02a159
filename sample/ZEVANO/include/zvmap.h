/* zvmap.h - 文字列をキーにした表 ZvStringMap */
#ifndef ZVMAP_H
#define ZVMAP_H

#include "zvstring.h"

class ZVAPI ZvStringMap
{
public:
    explicit ZvStringMap(int nHashSize = 17);
    ~ZvStringMap();

    void SetAt(const char* pszKey, const char* pszValue);
    ZvBool Lookup(const char* pszKey, ZvString& strValue) const;
    ZvBool RemoveKey(const char* pszKey);
    int GetCount() const { return m_nCount; }

private:
    struct Assoc;
    Assoc** m_ppTable;
    int m_nHashSize;
    int m_nCount;
    ZV_NO_COPY(ZvStringMap);
};

#endif /* ZVMAP_H */

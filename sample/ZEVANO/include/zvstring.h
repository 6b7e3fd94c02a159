/* zvstring.h - 文字列クラス ZvString (Shift-JIS 対応) */
#ifndef ZVSTRING_H
#define ZVSTRING_H

#include "zvtypes.h"

class ZVAPI ZvString
{
public:
    ZvString();
    ZvString(const char* psz);
    ZvString(const ZvString& str);
    ~ZvString();

    ZvString& operator=(const char* psz);
    ZvString& operator=(const ZvString& str);
    ZvString& operator+=(const char* psz);

    int GetLength() const;          /* バイト数 */
    int GetCharCount() const;       /* 文字数 (全角も 1 文字) */
    ZvBool IsEmpty() const;
    operator const char*() const { return m_pszData; }

    int Find(char ch) const;        /* 全角文字の 2 バイト目とは一致しません */
    int Find(const char* pszSub) const;
    int ReverseFind(char ch) const;
    ZvString Left(int nBytes) const;
    ZvString Mid(int nFirst) const;
    ZvString Mid(int nFirst, int nBytes) const;
    void TrimLeft();
    void TrimRight();
    void Format(const char* pszFormat, ...);

private:
    char* m_pszData;
    int m_nLength;
};

ZVAPI ZvString ZVCALL operator+(const ZvString& a, const char* b);

#endif /* ZVSTRING_H */

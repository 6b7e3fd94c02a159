/* zvexcept.h - 例外クラス */
#ifndef ZVEXCEPT_H
#define ZVEXCEPT_H

#include "zvtypes.h"

class ZVAPI ZvException
{
public:
    virtual ~ZvException() {}
    /* 利用者に見せる文 (Shift-JIS) */
    virtual const char* GetErrorMessage() const = 0;
};

class ZVAPI ZvMemoryException : public ZvException
{
public:
    const char* GetErrorMessage() const;
};

class ZVAPI ZvFileException : public ZvException
{
public:
    ZvFileException(DWORD dwError, const char* pszFileName);
    const char* GetErrorMessage() const;
    DWORD GetError() const { return m_dwError; }
    const char* GetFileName() const { return m_szFileName; }

private:
    DWORD m_dwError;
    char m_szFileName[MAX_PATH];
};

#endif /* ZVEXCEPT_H */

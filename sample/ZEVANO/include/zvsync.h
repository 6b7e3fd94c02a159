/* zvsync.h - 排他制御 ZvCriticalSection, ZvLock */
#ifndef ZVSYNC_H
#define ZVSYNC_H

#include "zvdefs.h"

class ZVAPI ZvCriticalSection
{
public:
    ZvCriticalSection() { ::InitializeCriticalSection(&m_cs); }
    ~ZvCriticalSection() { ::DeleteCriticalSection(&m_cs); }
    void Enter() { ::EnterCriticalSection(&m_cs); }
    void Leave() { ::LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
    ZV_NO_COPY(ZvCriticalSection);
};

/* スコープを出るときに Leave します。 */
class ZvLock
{
public:
    explicit ZvLock(ZvCriticalSection& cs) : m_cs(cs) { m_cs.Enter(); }
    ~ZvLock() { m_cs.Leave(); }

private:
    ZvCriticalSection& m_cs;
    ZV_NO_COPY(ZvLock);
};

#endif /* ZVSYNC_H */

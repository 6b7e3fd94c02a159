/* zvthread.h - スレッド ZvThread */
#ifndef ZVTHREAD_H
#define ZVTHREAD_H

#include "zvdefs.h"

class ZVAPI ZvThread
{
public:
    ZvThread() : m_hThread(0), m_dwThreadId(0) {}
    virtual ~ZvThread();

    BOOL Start();
    DWORD Wait(DWORD dwMilliseconds = INFINITE) { return ::WaitForSingleObject(m_hThread, dwMilliseconds); }
    DWORD GetThreadId() const { return m_dwThreadId; }

protected:
    /* 新しいスレッドで呼ばれます。戻り値が終了コードです。 */
    virtual DWORD Run() = 0;

private:
    static DWORD WINAPI ThreadProc(LPVOID pParam);
    HANDLE m_hThread;
    DWORD m_dwThreadId;
    ZV_NO_COPY(ZvThread);
};

#endif /* ZVTHREAD_H */

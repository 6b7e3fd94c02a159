/* zvapp.h - アプリケーション ZvApp */
#ifndef ZVAPP_H
#define ZVAPP_H

#include "zvstring.h"

class ZvWnd;

class ZVAPI ZvApp
{
public:
    ZvApp();
    virtual ~ZvApp();

    /* FALSE を返すとメッセージループに入らずに終わります。 */
    virtual BOOL InitInstance() = 0;
    virtual int ExitInstance() { return 0; }
    virtual int Run();

    HINSTANCE GetInstance() const { return m_hInstance; }
    const char* GetTitle() const { return m_strTitle; }

    ZvWnd* m_pMainWnd;

private:
    friend int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
    HINSTANCE m_hInstance;
    ZvString m_strTitle;
};

ZVAPI ZvApp* ZVCALL ZvGetApp();

#endif /* ZVAPP_H */

/* zvmsg.h - メッセージマップのマクロ */
#ifndef ZVMSG_H
#define ZVMSG_H

#include "zvwnd.h"

/* 使い方:
 *   ZV_BEGIN_MSG_MAP(CMainWnd)
 *       ZV_ON_MESSAGE(WM_PAINT, OnPaint)
 *       ZV_ON_COMMAND(IDOK, OnOK)
 *   ZV_END_MSG_MAP(ZvWnd)
 */
#define ZV_BEGIN_MSG_MAP(Class) \
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {

#define ZV_ON_MESSAGE(msg, handler) \
    if (uMsg == (msg)) return handler(wParam, lParam);

#define ZV_ON_COMMAND(id, handler) \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) { handler(); return 0; }

#define ZV_END_MSG_MAP(Base) \
    return Base::WindowProc(uMsg, wParam, lParam); }

#endif /* ZVMSG_H */

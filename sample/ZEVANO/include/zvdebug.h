/* zvdebug.h - デバッグ出力 ZVTRACE */
#ifndef ZVDEBUG_H
#define ZVDEBUG_H

#include "zvdefs.h"

/* OutputDebugString に書きます。リリース版では何もしません。 */
ZVAPI void ZvTrace(const char* pszFormat, ...);

#ifdef _DEBUG
#define ZVTRACE ZvTrace
#else
#define ZVTRACE 1 ? (void)0 : ZvTrace
#endif

#endif /* ZVDEBUG_H */

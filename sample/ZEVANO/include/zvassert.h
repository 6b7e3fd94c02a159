/* zvassert.h - デバッグ版だけで働く ZVASSERT */
#ifndef ZVASSERT_H
#define ZVASSERT_H

#include "zvdefs.h"

ZVAPI void ZVCALL ZvAssertFailed(const char* pszExpr, const char* pszFile, int nLine);

#ifdef _DEBUG
#define ZVASSERT(expr) ((expr) ? (void)0 : ZvAssertFailed(#expr, __FILE__, __LINE__))
#define ZVVERIFY(expr) ZVASSERT(expr)
#else
#define ZVASSERT(expr) ((void)0)
#define ZVVERIFY(expr) ((void)(expr))
#endif

#endif /* ZVASSERT_H */

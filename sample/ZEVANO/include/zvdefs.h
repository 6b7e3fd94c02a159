/* zvdefs.h - コンパイラとリンクの指定 */
#ifndef ZVDEFS_H
#define ZVDEFS_H

#include <windows.h>

/* DLL 版を使うときは ZEVANO_DLL を定義してください。 */
#if defined(ZEVANO_DLL) && defined(ZEVANO_BUILD)
#define ZVAPI __declspec(dllexport)
#elif defined(ZEVANO_DLL)
#define ZVAPI __declspec(dllimport)
#else
#define ZVAPI
#endif

#define ZVCALL __stdcall

/* 配列の要素数 */
#define ZV_COUNTOF(a) (sizeof(a) / sizeof((a)[0]))

/* コピーを禁じるクラスに書きます。 */
#define ZV_NO_COPY(Class) \
private:                  \
    Class(const Class&);  \
    Class& operator=(const Class&)

#endif /* ZVDEFS_H */

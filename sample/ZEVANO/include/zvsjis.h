/* zvsjis.h - Shift-JIS の 1 バイトずつの判定 */
#ifndef ZVSJIS_H
#define ZVSJIS_H

#include "zvtypes.h"

/* 全角文字の 1 バイト目か (0x81-0x9F, 0xE0-0xFC) */
inline ZvBool ZvIsLeadByte(ZvByte b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

/* 次の文字へ進む。全角文字は 2 バイトまとめて飛ばします。 */
inline const char* ZvNextChar(const char* p)
{
    if (*p == '\0') return p;
    if (ZvIsLeadByte((ZvByte)*p) && p[1] != '\0') return p + 2;
    return p + 1;
}

/* 最後の区切り文字 '\\' の位置。2 バイト目の 0x5C は区切りとみなしません。 */
ZVAPI const char* ZVCALL ZvFindLastSeparator(const char* pszPath);

/* 半角カナ (0xA1-0xDF) か */
inline ZvBool ZvIsHalfWidthKana(ZvByte b) { return b >= 0xA1 && b <= 0xDF; }

#endif /* ZVSJIS_H */

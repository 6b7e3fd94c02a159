/* zvtypes.h - 基本の型 */
#ifndef ZVTYPES_H
#define ZVTYPES_H

#include "zvdefs.h"

typedef signed char    ZvInt8;
typedef unsigned char  ZvUInt8;
typedef short          ZvInt16;
typedef unsigned short ZvUInt16;
typedef long           ZvInt32;
typedef unsigned long  ZvUInt32;
typedef unsigned char  ZvByte;
typedef int            ZvBool;

/* ファイル位置とサイズ (Windows 95 では 2GB まで) */
typedef ZvInt32 ZvFilePos;
typedef ZvUInt32 ZvSize;

#endif /* ZVTYPES_H */

/* zvver.h - ZEVANO++ のバージョン番号 */
#ifndef ZVVER_H
#define ZVVER_H

#define ZEVANO_VERSION_MAJOR 1
#define ZEVANO_VERSION_MINOR 0
#define ZEVANO_VERSION       0x0100
#define ZEVANO_VERSION_TEXT  "1.0"

#endif /* ZVVER_H */

// SJIS.CPP - ZEVANO++ サンプル 3: 全角文字を含むパスの扱い
//
// Shift-JIS では「ソ」「表」などの 2 バイト目が 0x5C ('\') になります。
// 1 バイトずつ '\' を探すと、そこでパスを切ってしまいます。
#include "zevano.h"

class CSjisApp : public ZvApp
{
public:
    BOOL InitInstance()
    {
        // "C:\ソフト\表計算.TXT" をバイトで書いたもの
        static const char szPath[] = "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C\x8C\x76\x8E\x5A.TXT";

        // 素朴な方法: 最後の 0x5C は「表」の 2 バイト目です。
        const char* pNaive = 0;
        for (const char* p = szPath; *p; p++)
            if (*p == '\\') pNaive = p;

        // ZEVANO++ の方法: 全角文字は 2 バイトまとめて飛ばします。
        const char* pLast = ZvFindLastSeparator(szPath);

        ZvString strText;
        strText.Format("素朴な方法: %s\r\nZEVANO＋＋: %s", pNaive + 1, pLast + 1);
        ::MessageBoxA(0, strText, "SJIS", MB_OK);
        return FALSE;
    }
};

CSjisApp theApp;

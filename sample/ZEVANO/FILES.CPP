// FILES.CPP - ZEVANO++ サンプル 2: フォルダの中のファイルを数える
#include "zevano.h"

static int CountFiles(const ZvPath& folder, ZvUInt32& cbTotal)
{
    int nFiles = 0;
    ZvPath pattern(folder);
    pattern.Append("*.*");
    ZvDirIterator it(pattern);
    while (it.Next())
    {
        if (it.IsFolder()) continue;
        nFiles++;
        cbTotal += it.GetSize();
    }
    return nFiles;
}

class CFilesApp : public ZvApp
{
public:
    BOOL InitInstance()
    {
        ZvPath folder = ZvPath::GetModuleFolder(GetInstance());
        ZvUInt32 cbTotal = 0;
        int nFiles = CountFiles(folder, cbTotal);

        ZvString strText;
        strText.Format("%s には %d 個のファイルがあります (%lu バイト)。",
                       (const char*)folder, nFiles, cbTotal);
        ::MessageBoxA(0, strText, "FILES", MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
};

CFilesApp theApp;

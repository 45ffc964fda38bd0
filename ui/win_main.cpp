#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "engine/text_finder.h"
#include "resources/resource_ids.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Windows 8 and later require SSE2; older processors keep the plain search.
    TextFinder::AllowVectorPath(IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0);
    InitCommonControls();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // A Unicode dialog: its edits keep what is typed outside the ANSI code page.
    const INT_PTR result =
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    CoUninitialize();
    return static_cast<int>(result);
}

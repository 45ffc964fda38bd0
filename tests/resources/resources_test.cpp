// The resources linked into this executable, read back through Win32 as the dialog manager,
// the shell and the loader find them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "resources/resource_ids.h"

// windres gives every control WS_CHILD | WS_VISIBLE; the edits' only frame is the client edge.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE, kTab = kChild | WS_TABSTOP,
                kEdit = kTab | ES_AUTOHSCROLL, kList = kTab | LVS_REPORT | LVS_SHOWSELALWAYS;

// Id, class, style and ex-style in template order, which is the tab order; window classes
// ignore case, so names are read in upper case.
const std::vector<std::tuple<DWORD, std::string, DWORD, DWORD>> kControls = {
    {IDC_EXT_FILTER, "EDIT", kEdit, WS_EX_CLIENTEDGE},
    {IDC_PATH_EDIT, "EDIT", kEdit, WS_EX_CLIENTEDGE},
    {IDC_ADD, "BUTTON", kTab | BS_PUSHBUTTON, 0},
    {IDC_PATH_LIST, "SYSLISTVIEW32",
     kList | LVS_SHAREIMAGELISTS | LVS_ALIGNLEFT | LVS_NOCOLUMNHEADER, WS_EX_CLIENTEDGE},
    {IDC_START, "BUTTON", kTab | BS_PUSHBUTTON, 0},
    {IDC_STOP, "BUTTON", kTab | WS_DISABLED | BS_PUSHBUTTON, 0},
    {IDC_RESULT_LIST, "SYSLISTVIEW32", kList | LVS_NOSORTHEADER | LVS_OWNERDATA, WS_EX_CLIENTEDGE},
    {IDC_STATUS, "STATIC", kChild | SS_LEFT, 0},
    {IDC_PROGRESS, "MSCTLS_PROGRESS32", kChild, 0},
    {IDC_SEARCH_TEXT, "EDIT", kEdit, WS_EX_CLIENTEDGE},
    {IDC_MATCH_CASE, "BUTTON", kTab | BS_AUTOCHECKBOX, 0},
    {IDC_EXT_LABEL, "STATIC", kChild | SS_RIGHT | SS_CENTERIMAGE, 0}};

// The dialog as the dialog manager makes it from the template, without the program's code.
TEST(Resources, DialogStyleCaptionFontAndControlsInTabOrder) {
    InitCommonControls();
    const HWND dialog =
        CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    // No WS_POPUP: an overlapped window with its own taskbar button.
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & ~WS_CLIPSIBLINGS,
              WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                  WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT | DS_3DLOOK);
    char text[64];
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "Scourwell");
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    std::vector<std::tuple<DWORD, std::string, DWORD, DWORD>> controls;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        GetClassNameA(c, text, sizeof text);
        // The dialog manager gives every control WS_EX_NOPARENTNOTIFY.
        controls.emplace_back(GetDlgCtrlID(c), CharUpperA(text), GetWindowLongA(c, GWL_STYLE),
                              GetWindowLongA(c, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
    }
    EXPECT_EQ(controls, kControls);
    DestroyWindow(dialog);
}

// The manifest asks for Common Controls 6 (the cue banners need it) and the loader acts on it:
// comctl32.dll comes from the side-by-side store, not the system folder. Its architecture is
// checked in the zip.
TEST(Manifest, CommonControls6InEffect) {
    char loaded[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), loaded, MAX_PATH);
    EXPECT_NE(std::strstr(CharLowerA(loaded), "\\winsxs\\"), nullptr) << loaded;
}

// It also declares awareness of each screen's DPI, as the loader reads it: Windows then never
// stretches the window. (Wine treats every program as aware, manifest or not.)
TEST(Manifest, PerMonitorDpiAwareness) {
    wchar_t v2[64] = {}, v1[64] = {};
    QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                         L"dpiAwareness", v2, 64, nullptr);
    QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                         L"dpiAware", v1, 64, nullptr);
    EXPECT_EQ(std::wstring(v2) + L";" + v1, L"PerMonitorV2, PerMonitor;true/pm");
}

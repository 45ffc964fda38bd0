// The resources linked into this executable, read back through Win32 as the dialog manager,
// the shell and the loader find them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <tuple>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

// A resource's bytes; the program ships each in US English.
static std::string Resource(LPCSTR type, WORD id) {
    HRSRC found = FindResourceExA(nullptr, type, MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                       SizeofResource(nullptr, found));
}

// windres gives every control WS_CHILD | WS_VISIBLE; the edits' only frame is the client edge.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE, kTab = kChild | WS_TABSTOP,
                kEdit = kTab | ES_AUTOHSCROLL, kList = kTab | LVS_REPORT | LVS_SHOWSELALWAYS;

// The dialog, then its controls in template order, which is the tab order. No WS_POPUP: an
// overlapped window with its own taskbar button, to which the system adds WS_CLIPSIBLINGS.
const std::tuple<int, const char*, DWORD, DWORD> kWindows[] = {
    {0, "#32770",
     WS_CLIPSIBLINGS | WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
         WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT | DS_3DLOOK,
     0},
    {IDC_EXT_FILTER, "Edit", kEdit, WS_EX_CLIENTEDGE},
    {IDC_PATH_EDIT, "Edit", kEdit, WS_EX_CLIENTEDGE},
    {IDC_ADD, "Button", kTab | BS_PUSHBUTTON, 0},
    {IDC_PATH_LIST, "SysListView32",
     kList | LVS_SHAREIMAGELISTS | LVS_ALIGNLEFT | LVS_NOCOLUMNHEADER, WS_EX_CLIENTEDGE},
    {IDC_START, "Button", kTab | BS_PUSHBUTTON, 0},
    {IDC_STOP, "Button", kTab | WS_DISABLED | BS_PUSHBUTTON, 0},
    {IDC_RESULT_LIST, "SysListView32", kList | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE},
    {IDC_STATUS, "Static", kChild | SS_LEFT, 0},
    {IDC_PROGRESS, "msctls_progress32", kChild, 0},
    {IDC_SEARCH_TEXT, "Edit", kEdit, WS_EX_CLIENTEDGE},
    {IDC_MATCH_CASE, "Button", kTab | BS_AUTOCHECKBOX, 0},
    {IDC_EXT_LABEL, "Static", kChild | SS_RIGHT | SS_CENTERIMAGE, 0}};

TEST(Resources, TheDialogTemplateMakesTheDialogAndItsControlsInTabOrder) {
    const HWND dialog =
        CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    char text[64] = {};
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "Scourwell");
    HWND window = dialog;
    // Extended styles the system adds to dialogs and their controls are left out.
    const DWORD added = WS_EX_NOPARENTNOTIFY | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
    for (const auto& [id, name, style, exStyle] : kWindows) {
        GetClassNameA(window, text, sizeof text);
        EXPECT_EQ(std::tuple(GetDlgCtrlID(window), std::string(text),
                             static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                             GetWindowLongA(window, GWL_EXSTYLE) & ~added),
                  std::tuple(id, std::string(name), style, exStyle));
        window = GetWindow(window, window == dialog ? GW_CHILD : GW_HWNDNEXT);
    }
    DestroyWindow(dialog);
}

// The items of each context menu's first popup, the one the dialog shows.
TEST(Resources, ContextMenus) {
    std::string items;
    for (WORD id : {IDM_PATH_MENU, IDM_RESULT_MENU}) {
        const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        for (int i = 0; i < GetMenuItemCount(GetSubMenu(menu, 0)); ++i) {
            char text[64] = {};
            GetMenuStringA(GetSubMenu(menu, 0), i, text, sizeof text, MF_BYPOSITION);
            items += std::to_string(GetMenuItemID(GetSubMenu(menu, 0), i)) + " " + text + "; ";
        }
    }
    EXPECT_EQ(items, "1401 &Remove; 1402 &Open File Location; 1404 &Execute Selected File; ");
}

// The image the shell picks from the group for each size makes an icon.
TEST(Resources, TheIconLoadsAtEachSize) {
    std::string group = Resource(RT_GROUP_ICON, IDI_MAIN);
    for (int size : {16, 24, 32, 48}) {
        BYTE* directory = reinterpret_cast<BYTE*>(group.data());
        std::string image =
            Resource(RT_ICON, LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0));
        EXPECT_TRUE(DestroyIcon(CreateIconFromResourceEx(
            reinterpret_cast<BYTE*>(image.data()), image.size(), TRUE, 0x00030000, size, size, 0)))
            << size;
    }
}

TEST(Resources, VersionNumbersAndTexts) {
    std::string block = Resource(RT_VERSION, VS_VERSION_INFO);
    block.resize(block.size() * 2);  // VerQueryValueA puts ANSI copies of the texts behind it
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(std::vector<DWORD>({fixed->dwFileVersionMS, fixed->dwFileVersionLS,
                                  fixed->dwProductVersionMS, fixed->dwProductVersionLS}),
              (std::vector<DWORD>{0x10000, 2, 0x10000, 2}));  // 1.0.0.2 twice
    const std::string texts[][2] = {{"CompanyName", "Scourwell"},
                                    {"FileDescription", "Scourwell"},
                                    {"FileVersion", "1.0.0.2"},
                                    {"InternalName", "Scourwell"},
                                    {"LegalCopyright", "Copyright (C) 2026 Scourwell"},
                                    {"OriginalFilename", "Scourwell.exe"},
                                    {"ProductName", "Scourwell"},
                                    {"ProductVersion", "1.0.0.2"}};
    for (const auto& [name, text] : texts) {
        value = nullptr;
        VerQueryValueA(block.data(), ("\\StringFileInfo\\040904E4\\" + name).c_str(), &value,
                       &length);
        EXPECT_STREQ(static_cast<const char*>(value), text.c_str()) << name;
    }
}

// The manifest names this build's architecture for the program and for Common Controls 6, and
// the loader acts on it: comctl32.dll comes from the side-by-side store, not the system folder.
TEST(Manifest, ThisArchitectureAndCommonControls6InEffect) {
    const std::string architecture =
        std::string("processorArchitecture=\"") + (sizeof(void*) == 8 ? "amd64\"" : "X86\"");
    const std::string xml = Resource(RT_MANIFEST, 1);
    // Found twice; with no match at all the second search starts at npos + 1 == 0.
    EXPECT_NE(xml.find(architecture, xml.find(architecture) + 1), std::string::npos) << xml;
    InitCommonControls();
    char loaded[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), loaded, MAX_PATH);
    EXPECT_NE(std::strstr(CharLowerA(loaded), "\\winsxs\\"), nullptr) << loaded;
}

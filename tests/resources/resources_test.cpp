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

// Reads a resource front to back; past the end it reads zeros.
struct Reader {
    DWORD Read(std::size_t bytes) {
        DWORD value = 0;  // little-endian, as x86 and resources are
        if (at + bytes <= data.size()) {
            std::memcpy(&value, data.data() + at, bytes);
        }
        at += bytes;
        return value;
    }
    // A zero-terminated UTF-16 text (ours are ASCII), or 0xFFFF and an ordinal as "#n".
    std::string Name() {
        std::string text;
        for (DWORD c = Read(2); c != 0; c = Read(2)) {
            if (c == 0xFFFF && text.empty()) {
                return "#" + std::to_string(Read(2));
            }
            text += static_cast<char>(c);
        }
        return text;
    }
    std::string data;
    std::size_t at = 0;
};

// windres gives every control WS_CHILD | WS_VISIBLE; the edits' only frame is the client edge.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE, kTab = kChild | WS_TABSTOP,
                kEdit = kTab | ES_AUTOHSCROLL, kList = kTab | LVS_REPORT | LVS_SHOWSELALWAYS;

// Id, class, style and ex-style in template order, which is the tab order. #128, #129 and #130
// are BUTTON, EDIT and STATIC; window classes ignore case, so names are read in upper case.
const std::tuple<DWORD, std::string, DWORD, DWORD> kControls[] = {
    {IDC_EXT_FILTER, "#129", kEdit, WS_EX_CLIENTEDGE},
    {IDC_PATH_EDIT, "#129", kEdit, WS_EX_CLIENTEDGE},
    {IDC_ADD, "#128", kTab | BS_PUSHBUTTON, 0},
    {IDC_PATH_LIST, "SYSLISTVIEW32",
     kList | LVS_SHAREIMAGELISTS | LVS_ALIGNLEFT | LVS_NOCOLUMNHEADER, WS_EX_CLIENTEDGE},
    {IDC_START, "#128", kTab | BS_PUSHBUTTON, 0},
    {IDC_STOP, "#128", kTab | WS_DISABLED | BS_PUSHBUTTON, 0},
    {IDC_RESULT_LIST, "SYSLISTVIEW32", kList | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE},
    {IDC_STATUS, "#130", kChild | SS_LEFT, 0},
    {IDC_PROGRESS, "MSCTLS_PROGRESS32", kChild, 0},
    {IDC_SEARCH_TEXT, "#129", kEdit, WS_EX_CLIENTEDGE},
    {IDC_MATCH_CASE, "#128", kTab | BS_AUTOCHECKBOX, 0},
    {IDC_EXT_LABEL, "#130", kChild | SS_RIGHT | SS_CENTERIMAGE, 0}};

TEST(Resources, DialogTemplateHeaderAndControlsInTemplateOrder) {
    Reader r{Resource(RT_DIALOG, IDD_MAIN)};
    // No WS_POPUP: an overlapped window with its own taskbar button.
    const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                        WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT | DS_3DLOOK;
    // Version 1 and 0xFFFF (extended), help id, ex-style, style, controls, x, y, cx, cy; then
    // menu, class and caption; the font's points, weight, italic and charset, and its face.
    EXPECT_EQ(std::vector<DWORD>({r.Read(2), r.Read(2), r.Read(4), r.Read(4), r.Read(4), r.Read(2),
                                  r.Read(2), r.Read(2), r.Read(2), r.Read(2)}),
              std::vector<DWORD>({1, 0xFFFF, 0, 0, style, 12, 6, 5, 296, 231}));
    EXPECT_EQ(r.Name() + r.Name() + r.Name(), "Scourwell");
    EXPECT_EQ(std::vector<DWORD>({r.Read(2), r.Read(2), r.Read(1), r.Read(1)}),
              std::vector<DWORD>({8, FW_DONTCARE, FALSE, DEFAULT_CHARSET}));
    EXPECT_EQ(r.Name(), "Tahoma");
    for (const auto& control : kControls) {
        r.at = ((r.at + 3) & ~std::size_t{3}) + 4;  // aligned, past the help id
        const DWORD exStyle = r.Read(4), controlStyle = r.Read(4);
        r.at += 8;  // x, y, cx, cy
        const DWORD id = r.Read(4);
        EXPECT_EQ(std::tuple(id, std::string(CharUpperA(r.Name().data())), controlStyle, exStyle),
                  control);
        r.Name();           // text
        r.at += r.Read(2);  // creation data
    }
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

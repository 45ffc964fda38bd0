// Reads the resources linked into this executable back through Win32: what the dialog code,
// the shell and the loader will find.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"

namespace {

// A copy of a resource's bytes; the program ships each in US English.
std::string Resource(LPCSTR type, WORD id) {
    HRSRC found = FindResourceExA(nullptr, type, MAKEINTRESOURCEA(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                       SizeofResource(nullptr, found));
}

// Reads a resource in order; past the end it reads zeros, and `at` ends beyond the size.
struct Reader {
    std::string data;
    std::size_t at = 0;

    DWORD Read(std::size_t bytes) {
        DWORD value = 0;  // x86 is little-endian, as resources are
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
};

// windres adds WS_CHILD | WS_VISIBLE to every control, WS_TABSTOP to some and WS_BORDER to
// EDITTEXT; the edits' only frame is the client edge.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE, kTab = kChild | WS_TABSTOP,
                kEdit = kTab | ES_AUTOHSCROLL, kList = kTab | LVS_REPORT | LVS_SHOWSELALWAYS;

// Id, class, style and ex-style, in template order, which is also the tab order. #128, #129
// and #130 are BUTTON, EDIT and STATIC; other classes are named in upper case, as window
// classes ignore case.
using Control = std::tuple<DWORD, std::string, DWORD, DWORD>;
const std::vector<Control> kControls = {
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

TEST(MainDialogTemplate, HeaderAndControlsInTemplateOrder) {
    Reader r{Resource(RT_DIALOG, IDD_MAIN)};
    // No WS_POPUP: an overlapped window with its own taskbar button.
    const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                        WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_CENTER | DS_SETFONT | DS_3DLOOK;
    // Version 1 and 0xFFFF (extended), help id, ex-style, style, controls, x, y, cx, cy.
    const std::vector<DWORD> head = {r.Read(2), r.Read(2), r.Read(4), r.Read(4), r.Read(4),
                                     r.Read(2), r.Read(2), r.Read(2), r.Read(2), r.Read(2)};
    EXPECT_EQ(head, (std::vector<DWORD>{1, 0xFFFF, 0, 0, style, 12, 6, 5, 296, 231}));
    // Menu, class, caption, then the font's points, weight, italic, charset and face.
    const std::vector<std::string> names = {r.Name(), r.Name(), r.Name()};
    EXPECT_EQ(names, (std::vector<std::string>{"", "", "Scourwell"}));
    const std::vector<DWORD> font = {r.Read(2), r.Read(2), r.Read(1), r.Read(1)};
    EXPECT_EQ(font, (std::vector<DWORD>{8, FW_DONTCARE, FALSE, DEFAULT_CHARSET}));
    EXPECT_EQ(r.Name(), "Tahoma");

    for (const Control& want : kControls) {
        r.at = ((r.at + 3) & ~std::size_t{3}) + 4;  // aligned, past the help id
        const DWORD exStyle = r.Read(4), controlStyle = r.Read(4);
        r.at += 8;  // x, y, cx, cy
        const DWORD id = r.Read(4);
        EXPECT_EQ(Control(id, CharUpperA(r.Name().data()), controlStyle, exStyle), want);
        r.Name();           // text
        r.at += r.Read(2);  // creation data
    }
}

// The items of each context menu's first popup, the one the dialog shows.
TEST(ContextMenus, ItemIdsAndTexts) {
    using Items = std::vector<std::pair<UINT, std::string>>;
    auto popupItems = [](WORD menuId) {
        Items items;
        HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
        HMENU popup = GetSubMenu(menu, 0);
        for (int i = 0; popup != nullptr && i < GetMenuItemCount(popup); ++i) {
            char text[64] = "";
            GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
            items.emplace_back(GetMenuItemID(popup, i), text);
        }
        DestroyMenu(menu);
        return items;
    };
    EXPECT_EQ(popupItems(IDM_PATH_MENU), (Items{{ID_REMOVE_PATH, "&Remove"}}));
    EXPECT_EQ(popupItems(IDM_RESULT_MENU), (Items{{ID_OPEN_LOCATION, "&Open File Location"},
                                                  {ID_EXECUTE_FILE, "&Execute Selected File"}}));
}

TEST(IconGroup, TenImagesThatEachLoad) {
    Reader r{Resource(RT_GROUP_ICON, IDI_MAIN), 4};  // past reserved 0 and type 1 (icons)
    std::vector<std::string> entries;                // size x bit count
    for (DWORD i = 0, count = r.Read(2); i < count; ++i) {
        const int size = static_cast<int>(r.Read(1));
        r.at += 5;  // height, colours, reserved, planes
        entries.push_back(std::to_string(size) + "x" + std::to_string(r.Read(2)));
        r.at += 4;  // bytes
        std::string image = Resource(RT_ICON, static_cast<WORD>(r.Read(2)));
        // DestroyIcon fails where no icon was made.
        EXPECT_TRUE(DestroyIcon(CreateIconFromResourceEx(
            reinterpret_cast<BYTE*>(image.data()), image.size(), TRUE, 0x00030000, size, size, 0)))
            << entries.back();
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"24x4", "16x4", "48x8", "32x8", "24x8", "16x8",
                                                 "48x32", "32x32", "24x32", "16x32"}));
}

TEST(VersionResource, FixedVersionAndStrings) {
    std::string block = Resource(RT_VERSION, VS_VERSION_INFO);
    ASSERT_FALSE(block.empty());
    // VerQueryValueA puts ANSI copies of the texts behind the block, as GetFileVersionInfoA
    // leaves room for.
    block.resize(block.size() * 2);
    auto query = [&block](const std::string& path) {
        void* value = nullptr;
        UINT length = 0;
        return VerQueryValueA(block.data(), path.c_str(), &value, &length) ? value : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    ASSERT_NE(fixed, nullptr);
    const std::vector<DWORD> versions = {fixed->dwFileVersionMS, fixed->dwFileVersionLS,
                                         fixed->dwProductVersionMS, fixed->dwProductVersionLS};
    EXPECT_EQ(versions, (std::vector<DWORD>{0x10000, 2, 0x10000, 2}));  // 1.0.0.2 twice

    // The shell looks the texts up under the translation.
    const auto* translation = static_cast<const WORD*>(query("\\VarFileInfo\\Translation"));
    EXPECT_EQ(translation ? MAKELONG(translation[1], translation[0]) : 0, 0x040904E4);
    for (const std::string want :
         {"CompanyName=Scourwell", "FileDescription=Scourwell", "FileVersion=1.0.0.2",
          "InternalName=Scourwell", "LegalCopyright=Copyright (C) 2026 Scourwell",
          "OriginalFilename=Scourwell.exe", "ProductName=Scourwell", "ProductVersion=1.0.0.2"}) {
        const std::string name = want.substr(0, want.find('='));
        const char* value = static_cast<const char*>(query("\\StringFileInfo\\040904E4\\" + name));
        EXPECT_EQ(name + "=" + (value != nullptr ? value : "(missing)"), want);
    }
}

// The manifest names this build's architecture for the program and for Common Controls 6,
// and the loader acts on it: comctl32.dll, which the cue banners need in version 6, comes
// from the side-by-side store, not from the system folder.
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

}  // namespace

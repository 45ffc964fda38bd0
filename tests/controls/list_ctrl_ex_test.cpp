// ListCtrlEx on a real list view: what only a real list view and the shell can show.
#include "controls/list_ctrl_ex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "tests/support/temp_tree.h"

// The wrapper lives above 4 GiB on 64-bit Windows: a 32-bit store of its address in the
// window's data would lose it, and the first message would crash.
TEST(ListCtrlEx, FindsItsWrapperCutsCellTextsAndTakesIconsByExtension) {
    InitCommonControls();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program does, for the shell
    const HWND parent =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 600, 400, parent,
                    reinterpret_cast<HMENU>(7), nullptr, nullptr);
    auto* list =
        new (VirtualAlloc(nullptr, sizeof(ListCtrlEx), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN,
                          PAGE_READWRITE)) ListCtrlEx;
    ASSERT_TRUE(sizeof(void*) == 4 || reinterpret_cast<std::uintptr_t>(list) > 0xFFFFFFFFu);
    list->Attach(parent, 7);
    EXPECT_EQ(GetWindowLongPtrA(list->hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(list));
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list->hwnd),
              LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);

    const std::string longText(300, 'x');  // cut, and the cut text ends in a zero
    list->InsertColumn(0, "", LVCFMT_LEFT, 20, -1);
    list->InsertItem(0, longText.c_str(), 0, 0);
    std::string buffer(261, '#');
    EXPECT_TRUE(list->GetItemText(0, 0, &buffer[0], 260));
    EXPECT_EQ(std::string(buffer.c_str()), longText.substr(0, 259));
    EXPECT_EQ(buffer[260], '#');
    DestroyWindow(parent);  // first: the subclass reads the wrapper until the list is gone
    VirtualFree(list, 0, MEM_RELEASE);

    // Icons by extension alone: a missing file has the icon of a present one of its kind.
    TempTree tree;
    tree.AddFolder("looks like.txt");
    SHFILEINFOA folder = {};
    SHGetFileInfoA(tree.Path("looks like.txt").string().c_str(), 0, &folder, sizeof folder,
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_EQ(ListCtrlEx::GetFolderIconIndex(true), folder.iIcon);
    const int text = ListCtrlEx::GetFileIconIndex(tree.AddFile("present.txt", "x").c_str(), true);
    EXPECT_EQ(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.txt", true), text);
    EXPECT_NE(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.chm", true), text);
}

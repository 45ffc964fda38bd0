#include "controls/list_ctrl_ex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <new>
#include <string>

#include "tests/support/temp_tree.h"

namespace {

constexpr int kPathListId = 1303;
constexpr int kResultListId = 1304;
constexpr DWORD kSharedStyles = 0x14020;  // full-row selection, label tips, double buffering
constexpr char kParentClass[] = "ScourwellListTestParent";

// Stands in for the dialog: one visible top-level window for the whole run, since showing
// a new one under Wine costs seconds. Each test adds its list views and removes them after.
HWND parentWindow = nullptr;

class WindowEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        // The shell's icon lookups expect COM, as the program starts it.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = DefWindowProcA;
        parentClass.hInstance = GetModuleHandleA(nullptr);
        parentClass.lpszClassName = kParentClass;
        ASSERT_NE(RegisterClassA(&parentClass), 0);
        parentWindow =
            CreateWindowExA(0, kParentClass, "Scourwell list test", WS_OVERLAPPEDWINDOW, 0, 0, 640,
                            480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parentWindow, nullptr);
        ShowWindow(parentWindow, SW_SHOWNOACTIVATE);
    }
    void TearDown() override {
        DestroyWindow(parentWindow);
        CoUninitialize();
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WindowEnvironment);

class ListCtrlExTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(parentWindow, nullptr); }
    // Before the wrappers go: the subclass reads them until their window is gone.
    void TearDown() override {
        while (HWND child = GetWindow(parentWindow, GW_CHILD)) {
            DestroyWindow(child);
        }
    }

    HWND AddList(int id, DWORD extendedStyles = 0) {
        HWND list = CreateWindowExA(
            0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS, 10,
            10 + 200 * (id % 2), 600, 190, parentWindow,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(list, nullptr);
        SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extendedStyles);
        return list;
    }

    // A list on the parent with the given number of columns, attached to list_.
    void AttachWithColumns(int columns) {
        AddList(kResultListId);
        ASSERT_TRUE(list_.Attach(parentWindow, kResultListId));
        for (int i = 0; i < columns; ++i) {
            ASSERT_EQ(list_.InsertColumn(i, "Column", LVCFMT_LEFT, 100, -1), i);
        }
    }

    std::string Cell(int row, int subItem) const {
        char buffer[260] = {};
        EXPECT_TRUE(list_.GetItemText(row, subItem, buffer, sizeof buffer));
        return buffer;
    }

    LVITEMA ReadItem(int row) const {
        LVITEMA item = {};
        item.mask = LVIF_PARAM | LVIF_IMAGE;
        item.iItem = row;
        EXPECT_TRUE(SendMessageA(list_.hwnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        return item;
    }

    int ColumnWidth(int column) const {
        return static_cast<int>(SendMessageA(list_.hwnd, LVM_GETCOLUMNWIDTH, column, 0));
    }
    int TextWidth(const char* text) const {
        return static_cast<int>(
            SendMessageA(list_.hwnd, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
    }

    ListCtrlEx list_;
};

DWORD ExtendedStyles(HWND list) {
    return static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

TEST_F(ListCtrlExTest, AttachReplacesWhateverExtendedStylesTheListHad) {
    const DWORD templateStyles =
        LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_ONECLICKACTIVATE;
    HWND styled = AddList(kPathListId, templateStyles);
    HWND plain = AddList(kResultListId);
    ASSERT_EQ(ExtendedStyles(styled), templateStyles);

    ListCtrlEx results;
    EXPECT_TRUE(list_.Attach(parentWindow, kPathListId));
    EXPECT_TRUE(results.Attach(parentWindow, kResultListId));
    // Each wrapper took the control with its own identifier.
    EXPECT_EQ(list_.hwnd, styled);
    EXPECT_EQ(results.hwnd, plain);
    EXPECT_EQ(ExtendedStyles(styled), kSharedStyles);
    EXPECT_EQ(ExtendedStyles(plain), kSharedStyles);
    DestroyWindow(plain);  // before `results` goes out of scope
}

TEST_F(ListCtrlExTest, SubclassPassesMessagesThroughAndFindsTheWrapper) {
    HWND list = AddList(kPathListId);
    const auto listProc = GetWindowLongPtrA(list, GWLP_WNDPROC);

    // Placed above 4 GiB on 64-bit Windows, where a 32-bit store of its address would lose it.
    void* memory = VirtualAlloc(nullptr, sizeof(ListCtrlEx),
                                MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
    ASSERT_NE(memory, nullptr);
#ifdef _WIN64
    ASSERT_GT(reinterpret_cast<std::uintptr_t>(memory), 0xFFFFFFFFu);
#endif
    auto* wrapper = new (memory) ListCtrlEx;
    EXPECT_TRUE(wrapper->Attach(parentWindow, kPathListId));

    EXPECT_EQ(reinterpret_cast<ListCtrlEx*>(GetWindowLongPtrA(list, GWLP_USERDATA)), wrapper);
    EXPECT_NE(GetWindowLongPtrA(list, GWLP_WNDPROC), listProc);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(wrapper->previousWndProc), listProc);
    EXPECT_FALSE(IsWindowUnicode(list));

    // Text crosses from the narrow subclass to the list's own procedure intact.
    ASSERT_TRUE(SetWindowTextA(list, "C:\\Data"));
    char title[32] = {};
    EXPECT_EQ(GetWindowTextA(list, title, sizeof title), 7);
    EXPECT_STREQ(title, "C:\\Data");
    // And list-view messages come back with the list's answers.
    EXPECT_EQ(wrapper->InsertColumn(0, "Paths", LVCFMT_LEFT, -1, -1), 0);
    EXPECT_EQ(wrapper->InsertItem(0, "row", 0, 0), 0);
    EXPECT_EQ(wrapper->GetItemCount(), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);

    DestroyWindow(list);  // the window reads the wrapper until it is gone
    wrapper->~ListCtrlEx();
    VirtualFree(memory, 0, MEM_RELEASE);
}

TEST_F(ListCtrlExTest, RowsGoFirstOrLastAndKeepIconAndPointerSizedParameter) {
    AttachWithColumns(2);
#ifdef _WIN64
    const auto highParam = static_cast<LPARAM>(0x00001234'5678'9ABCull);
#else
    const auto highParam = static_cast<LPARAM>(0xFEDC'BA98u);
#endif
    EXPECT_EQ(list_.InsertItem(0, "middle", 3, 0), 0);
    EXPECT_EQ(list_.InsertItem(0, "first", 5, highParam), 0);
    EXPECT_EQ(list_.InsertItem(list_.GetItemCount(), "last", 7, -1), 2);
    EXPECT_EQ(list_.InsertItem(99, "past the end", 0, 42), 3);
    ASSERT_EQ(list_.GetItemCount(), 4);

    EXPECT_EQ(Cell(0, 0), "first");
    EXPECT_EQ(Cell(1, 0), "middle");
    EXPECT_EQ(Cell(2, 0), "last");
    EXPECT_EQ(Cell(3, 0), "past the end");
    EXPECT_EQ(ReadItem(0).lParam, highParam);
    EXPECT_EQ(ReadItem(0).iImage, 5);
    EXPECT_EQ(ReadItem(1).lParam, 0);
    EXPECT_EQ(ReadItem(2).lParam, -1);
    EXPECT_EQ(ReadItem(2).iImage, 7);

    // Sub-item texts land in their own row and column only.
    EXPECT_TRUE(list_.SetItemText(1, 1, "second column"));
    EXPECT_EQ(Cell(1, 1), "second column");
    EXPECT_EQ(Cell(1, 0), "middle");
    EXPECT_EQ(Cell(0, 1), "");
    EXPECT_FALSE(list_.SetItemText(9, 0, "no such row"));
}

TEST_F(ListCtrlExTest, CellTextIsCutToTheBufferAndZeroTerminated) {
    AttachWithColumns(1);
    std::string longText;
    for (int i = 0; i < 300; ++i) {
        longText += static_cast<char>('a' + i % 26);
    }
    ASSERT_EQ(list_.InsertItem(0, longText.c_str(), 0, 0), 0);
    ASSERT_EQ(list_.InsertItem(1, longText.substr(0, 259).c_str(), 0, 0), 1);

    char buffer[261];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    EXPECT_TRUE(list_.GetItemText(0, 0, buffer, 260));
    EXPECT_EQ(buffer[259], '\0');
    EXPECT_EQ(std::string(buffer), longText.substr(0, 259));
    EXPECT_EQ(buffer[260], '#');  // nothing written past the size given

    EXPECT_EQ(Cell(1, 0), longText.substr(0, 259));  // exactly fits
}

TEST_F(ListCtrlExTest, AutoWidthFitsTheWidestCellButNotTheHeader) {
    AddList(kResultListId);
    ASSERT_TRUE(list_.Attach(parentWindow, kResultListId));
    const char header[] = "A header far wider than any of the cells below it";
    ASSERT_EQ(list_.InsertColumn(0, header, LVCFMT_LEFT, 150, -1), 0);
    EXPECT_EQ(ColumnWidth(0), 150);
    ASSERT_EQ(list_.InsertItem(0, "ab", 0, 0), 0);
    ASSERT_EQ(list_.InsertItem(1, "abc", 0, 0), 1);

    EXPECT_TRUE(list_.SetColumnWidth(0, -1));
    const int shortWidth = ColumnWidth(0);
    EXPECT_GE(shortWidth, TextWidth("abc"));
    EXPECT_LT(shortWidth, TextWidth(header));

    const char longCell[] = "a cell text that is longer than the first ones";
    ASSERT_TRUE(list_.SetItemText(1, 0, longCell));
    EXPECT_TRUE(list_.SetColumnWidth(0, -1));
    const int longWidth = ColumnWidth(0);
    EXPECT_GE(longWidth, TextWidth(longCell));
    EXPECT_LT(longWidth, TextWidth(header));

    // It shrinks back when the long text goes.
    ASSERT_TRUE(list_.SetItemText(1, 0, "abc"));
    EXPECT_TRUE(list_.SetColumnWidth(0, -1));
    EXPECT_EQ(ColumnWidth(0), shortWidth);

    // The header-aware fit would have kept the header whole.
    SendMessageA(list_.hwnd, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
    EXPECT_GE(ColumnWidth(0), TextWidth(header));
}

TEST_F(ListCtrlExTest, ListUsesTheSystemImageListInBothSlots) {
    AttachWithColumns(1);
    const HIMAGELIST system = ListCtrlEx::GetSystemImageList(true);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(list_.UseSystemImageList(true), nullptr);  // the small slot was empty
    EXPECT_EQ(
        reinterpret_cast<HIMAGELIST>(SendMessageA(list_.hwnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
        system);
    EXPECT_EQ(
        reinterpret_cast<HIMAGELIST>(SendMessageA(list_.hwnd, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)),
        system);
    EXPECT_EQ(list_.UseSystemImageList(true), system);

    // Small and large are different lists with the system's icon sizes.
    const HIMAGELIST large = ListCtrlEx::GetSystemImageList(false);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(large, system);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(system, &cx, &cy));
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
    ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXICON));
}

TEST_F(ListCtrlExTest, FoldersShareOneIconAndFilesOneIconPerType) {
    TempTree tree;
    tree.AddFolder("alpha");
    tree.AddFolder("looks like.txt");
    const std::string presentText = tree.AddFile("present.txt", "text");
    // Not a real help file: the shell must not look inside.
    const std::string presentHelp = tree.AddFile("present.chm", "text");

    // What the shell shows for real folders, whatever their names.
    const int folder = ListCtrlEx::GetFolderIconIndex(true);
    for (const char* name : {"alpha", "looks like.txt"}) {
        SHFILEINFOA info = {};
        ASSERT_TRUE(SHGetFileInfoA(tree.Path(name).string().c_str(), 0, &info, sizeof info,
                                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        EXPECT_EQ(info.iIcon, folder) << name;
    }

    // The name decides: present or absent, with or without a folder.
    const int text = ListCtrlEx::GetFileIconIndex(presentText.c_str(), true);
    EXPECT_EQ(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.txt", true), text);
    EXPECT_EQ(ListCtrlEx::GetFileIconIndex("bare name.txt", true), text);
    const int help = ListCtrlEx::GetFileIconIndex(presentHelp.c_str(), true);
    EXPECT_EQ(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.chm", true), help);
    EXPECT_NE(help, text);
    EXPECT_NE(text, folder);
}

// The program's globals exist before the dialog; calls on them must not touch any window.
TEST(ListCtrlExUnattached, SendsToNoWindowAndGetsTheFailureValue) {
    ListCtrlEx list;
    char buffer[4] = "xyz";
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.InsertItem(0, "row", 0, 0), 0);
    EXPECT_FALSE(list.GetItemText(0, 0, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "xyz");
}

}  // namespace

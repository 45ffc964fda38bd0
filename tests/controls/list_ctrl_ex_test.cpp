#include "controls/list_ctrl_ex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "tests/support/temp_tree.h"

namespace {

constexpr int kListId = 1304;

// Each test gets a list view, as the dialog template makes it, on a hidden parent standing in
// for the dialog, attached to a wrapper placed above 4 GiB on 64-bit Windows: a 32-bit store
// of its address (SetWindowLongA) would lose it, and every message would then crash.
class ListCtrlExTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program does, for the shell
    }
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                  nullptr, nullptr, nullptr);
        window_ = CreateWindowExA(
            0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0,
            600, 400, parent_, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        SendMessageA(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kTemplateStyles);
        memory_ = VirtualAlloc(nullptr, sizeof(ListCtrlEx), MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN,
                               PAGE_READWRITE);
        ASSERT_NE(memory_, nullptr);
        ASSERT_TRUE(sizeof(void*) == 4 || reinterpret_cast<std::uintptr_t>(memory_) > 0xFFFFFFFFu);
        list_ = new (memory_) ListCtrlEx;
        ASSERT_TRUE(list_->Attach(parent_, kListId));
    }
    void TearDown() override {
        DestroyWindow(parent_);  // first: the subclass reads the wrapper until the list is gone
        VirtualFree(memory_, 0, MEM_RELEASE);
    }

    std::string Cell(int row, int subItem) const {
        char buffer[260] = {};
        EXPECT_TRUE(list_->GetItemText(row, subItem, buffer, sizeof buffer));
        return buffer;
    }

    static constexpr DWORD kTemplateStyles =
        LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_ONECLICKACTIVATE;
    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    void* memory_ = nullptr;
    ListCtrlEx* list_ = nullptr;
};

// The style query goes through the subclass, which finds the wrapper from the user data.
TEST_F(ListCtrlExTest, AttachKeepsOnlyItsStylesAndTheWindowFindsTheWrapper) {
    EXPECT_EQ(SendMessageA(window_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);
    EXPECT_EQ(reinterpret_cast<ListCtrlEx*>(GetWindowLongPtrA(window_, GWLP_USERDATA)), list_);
}

TEST_F(ListCtrlExTest, RowsGoFirstOrLastAndCellTextsComeBackCut) {
    ASSERT_EQ(list_->InsertColumn(0, "Name", LVCFMT_LEFT, 100, -1), 0);
    ASSERT_EQ(list_->InsertColumn(1, "Path", LVCFMT_LEFT, 100, -1), 1);
    const auto param = static_cast<LPARAM>(0x1234'5678'9ABCull);  // wider than 32 bits on win64
    const std::string longText(300, 'x');
    EXPECT_EQ(list_->InsertItem(0, "middle", 0, 0), 0);
    EXPECT_EQ(list_->InsertItem(0, "first", 5, param), 0);
    EXPECT_EQ(list_->InsertItem(list_->GetItemCount(), longText.c_str(), 7, 0), 2);
    EXPECT_EQ(Cell(0, 0), "first");
    EXPECT_EQ(Cell(1, 0), "middle");
    EXPECT_TRUE(list_->SetItemText(1, 1, "C:\\middle"));
    EXPECT_EQ(Cell(1, 1), "C:\\middle");
    EXPECT_EQ(Cell(0, 1), "");

    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    ASSERT_TRUE(SendMessageA(window_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.iImage, 5);
    EXPECT_EQ(item.lParam, param);

    char buffer[261];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_TRUE(list_->GetItemText(2, 0, buffer, 260));
    ASSERT_EQ(buffer[259], '\0');
    EXPECT_EQ(std::string(buffer), longText.substr(0, 259));
    EXPECT_EQ(buffer[260], '#');  // nothing written past the size given
}

TEST_F(ListCtrlExTest, AutoWidthFitsTheWidestCellAndCutsAWiderHeader) {
    const char header[] = "A header far wider than any of the cells below it";
    const char wide[] = "a cell wider than the others";
    ASSERT_EQ(list_->InsertColumn(0, header, LVCFMT_LEFT, 20, -1), 0);
    ASSERT_EQ(list_->InsertItem(0, "ab", 0, 0), 0);
    ASSERT_EQ(list_->InsertItem(1, wide, 0, 0), 1);
    ASSERT_EQ(list_->InsertItem(2, "abc", 0, 0), 2);
    EXPECT_TRUE(list_->SetColumnWidth(0, -1));
    const auto width = SendMessageA(window_, LVM_GETCOLUMNWIDTH, 0, 0);
    EXPECT_GE(width, SendMessageA(window_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(wide)));
    EXPECT_LT(width,
              SendMessageA(window_, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(header)));
}

TEST_F(ListCtrlExTest, SmallSlotHoldsTheSmallSystemImageList) {
    const HIMAGELIST system = ListCtrlEx::GetSystemImageList(true);
    ASSERT_NE(system, nullptr);
    list_->UseSystemImageList(true);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(window_, LVM_GETIMAGELIST, LVSIL_SMALL, 0)),
              system);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(system, &cx, &cy));
    EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
}

TEST_F(ListCtrlExTest, FoldersShareOneIconAndFilesOnePerExtensionPresentOrNot) {
    TempTree tree;
    tree.AddFolder("looks like.txt");
    const std::string present = tree.AddFile("present.txt", "text");
    const int folder = ListCtrlEx::GetFolderIconIndex(true);
    SHFILEINFOA info = {};
    ASSERT_TRUE(SHGetFileInfoA(tree.Path("looks like.txt").string().c_str(), 0, &info, sizeof info,
                               SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_EQ(info.iIcon, folder);  // what the shell shows for a real folder

    const int text = ListCtrlEx::GetFileIconIndex(present.c_str(), true);
    EXPECT_EQ(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.txt", true), text);
    EXPECT_NE(ListCtrlEx::GetFileIconIndex("C:\\no such folder\\absent.chm", true), text);
    EXPECT_NE(text, folder);
}

}  // namespace

#include "controls/list_ctrl_ex.h"

#include <commoncontrols.h>
#include <shellapi.h>

#include <cassert>
#include <string>

#include "controls/gdi_handles.h"
#include "engine/status_text.h"
#include "os/utf16.h"

namespace {

constexpr DWORD kSharedExtendedStyles =
    LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER;

UINT SizeFlag(bool smallIcons) {
    return smallIcons ? SHGFI_SMALLICON : 0;
}

// The shell picks the icon from the name and the attribute alone, so nothing is opened.
int IconIndexByAttributes(const char* name, DWORD attributes, bool smallIcons) {
    SHFILEINFOW info = {};
    SHGetFileInfoW(os::Widen(name).c_str(), attributes, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag(smallIcons));
    return info.iIcon;
}

HIMAGELIST ShellImageList(int kind) {
    IImageList* list = nullptr;
    SHGetImageList(kind, __uuidof(IImageList), reinterpret_cast<void**>(&list));
    if (list == nullptr) {
        return nullptr;
    }
    // The shell keeps its lists for the life of the process; this reference is not needed.
    list->Release();
    return reinterpret_cast<HIMAGELIST>(list);
}

// The same list in both slots. The program frees its own lists itself, so the list view must
// never free one: not even the results list, whose template does not share them.
void SetImageLists(HWND list, HIMAGELIST images) {
    SetWindowLongA(list, GWL_STYLE, GetWindowLongA(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

}  // namespace

BOOL ListCtrlEx::Attach(HWND dialog, int controlId) {
    hwnd = GetDlgItem(dialog, controlId);
    // The Ptr forms: the Long ones would cut both addresses to 32 bits on 64-bit Windows.
    previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListCtrlEx::WndProc)));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Mask 0 replaces whatever extended styles the template gave the list.
    SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kSharedExtendedStyles);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return RedrawWindow(hwnd, nullptr, nullptr,
                        RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

LRESULT CALLBACK ListCtrlEx::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pWnd = reinterpret_cast<ListCtrlEx*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    assert(pWnd);
    return CallWindowProcA(pWnd->previousWndProc, window, message, wParam, lParam);
}

void ListCtrlEx::UseSmallIcons(int dpi) {
    dpi_ = dpi;
    const int size = SmallIconSize(dpi);
    HIMAGELIST exact = nullptr;
    iconSource_ = nullptr;
    int sourceSize = 0;
    // The shell's small, large, extra large and jumbo lists; their sizes follow the system.
    const HIMAGELIST system[] = {GetSystemImageList(true), GetSystemImageList(false),
                                 ShellImageList(SHIL_EXTRALARGE), ShellImageList(SHIL_JUMBO)};
    for (HIMAGELIST list : system) {
        int width = 0, height = 0;
        ImageList_GetIconSize(list, &width, &height);
        if (width == size) {
            exact = list;
        } else if (width > size && (iconSource_ == nullptr || width < sourceSize)) {
            iconSource_ = list;
            sourceSize = width;
        }
    }
    ownIcons_.Reset();
    if (exact != nullptr || iconSource_ == nullptr) {
        iconSource_ = nullptr;
        SetImageLists(hwnd, exact != nullptr ? exact : system[0]);
        return;
    }
    ownIcons_ = OwnedImageList(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 64));
    CatchUpIcons();
    SetImageLists(hwnd, ownIcons_.Get());
}

void ListCtrlEx::CatchUpIcons() {
    if (iconSource_ == nullptr) {
        return;  // the list shows the system's own icons
    }
    const int have = ImageList_GetImageCount(ownIcons_.Get());
    const int wanted = ImageList_GetImageCount(iconSource_);
    if (wanted <= have) {
        return;
    }
    // Slots first, so an icon that fails to copy leaves a blank, not a shift of the indexes.
    ImageList_SetImageCount(ownIcons_.Get(), static_cast<UINT>(wanted));
    for (int i = have; i < wanted; ++i) {
        const HICON icon = ImageList_GetIcon(iconSource_, i, ILD_NORMAL);
        ImageList_ReplaceIcon(ownIcons_.Get(), i, icon);  // drawn at the list's own size
        DestroyIcon(icon);
    }
}

HIMAGELIST ListCtrlEx::GetSystemImageList(bool smallIcons) {
    char windowsDir[259] = {};
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    // Any path on the system drive yields the list; its root always exists.
    char root[] = "C:\\";
    if (windowsDir[0] != '\0') {
        root[0] = windowsDir[0];
    }
    SHFILEINFOA info = {};
    const DWORD_PTR images = SHGetFileInfoA(root, 0, &info, sizeof info,
                                            SHGFI_SYSICONINDEX | SHGFI_ICON | SizeFlag(smallIcons));
    // SHGFI_ICON also hands back a copy of the root's icon; it is ours to free.
    if (info.hIcon != nullptr) {
        DestroyIcon(info.hIcon);
    }
    return reinterpret_cast<HIMAGELIST>(images);
}

int ListCtrlEx::GetFolderIconIndex(bool smallIcons) {
    return IconIndexByAttributes(" ", FILE_ATTRIBUTE_DIRECTORY, smallIcons);
}

int ListCtrlEx::GetFileIconIndex(const char* name, bool smallIcons) {
    return IconIndexByAttributes(name, FILE_ATTRIBUTE_NORMAL, smallIcons);
}

int ListCtrlEx::InsertColumn(int column, const char* header, int format, int width, int subItem) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(header);  // read only: the record type serves both ways
    col.iSubItem = subItem;
    return static_cast<int>(
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
}

BOOL ListCtrlEx::SetVirtualItemCount(int count) {
    CatchUpIcons();
    return static_cast<BOOL>(SendMessageW(hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
                                          LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL));
}

int ListCtrlEx::InsertItem(int row, const char* text, int image, LPARAM param) {
    CatchUpIcons();
    std::wstring wide = os::Widen(text);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = &wide[0];
    item.iImage = image;
    item.lParam = param;
    return static_cast<int>(
        SendMessageW(hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL ListCtrlEx::SetItemText(int row, int subItem, const char* text) {
    std::wstring wide = os::Widen(text);
    LVITEMW item = {};
    item.iSubItem = subItem;
    item.pszText = &wide[0];
    return static_cast<BOOL>(
        SendMessageW(hwnd, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
}

BOOL ListCtrlEx::GetItemText(int row, int subItem, char* buffer, int size) const {
    if (buffer == nullptr || size <= 0) {
        return FALSE;
    }
    // A cell that fits in size - 1 bytes has at most as many UTF-16 units. The string's own
    // zero ends a buffer that a list view (Wine's) fills to the last unit.
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = subItem;
    item.pszText = &wide[0];
    item.cchTextMax = size;
    const auto copied =
        static_cast<BOOL>(SendMessageW(hwnd, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string text = os::Narrow(wide.c_str());
    CopyCut(text.c_str(), text.size(), buffer, static_cast<std::size_t>(size));
    return copied;
}

int ListCtrlEx::GetItemCount() const {
    return static_cast<int>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0));
}

std::vector<int> ListCtrlEx::GetSelectedRows() const {
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(SendMessageW(hwnd, LVM_GETSELECTEDCOUNT, 0, 0)));
    for (int row = -1; (row = ListView_GetNextItem(hwnd, row, LVNI_SELECTED)) != -1;) {
        rows.push_back(row);
    }
    return rows;
}

void ListCtrlEx::SelectAll() {
    // Under Wine the list repaints each row it selects: a hundred thousand cost ten seconds.
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemState(hwnd, -1, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, FALSE);
    if (ListView_GetSelectionMark(hwnd) == -1 && GetItemCount() > 0) {
        ListView_SetSelectionMark(hwnd, 0);
    }
}

BOOL ListCtrlEx::SetColumnWidth(int column, int width) {
    // Only the low 16 bits travel, so -1 (LVSCW_AUTOSIZE) arrives as 0xFFFF.
    const LPARAM lowWord = static_cast<LPARAM>(static_cast<WORD>(width));
    return static_cast<BOOL>(SendMessageA(hwnd, LVM_SETCOLUMNWIDTH, column, lowWord));
}

int ListCtrlEx::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessageA(hwnd, LVM_GETCOLUMNWIDTH, column, 0));
}

std::vector<int> ListCtrlEx::GetStringWidths(const std::vector<std::string_view>& texts) const {
    std::vector<int> widths;
    WindowDC dc(hwnd);
    SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    for (const std::string_view text : texts) {
        const std::wstring wide = os::Widen(std::string(text));
        SIZE size = {};
        GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        widths.push_back(size.cx);
    }
    return widths;
}

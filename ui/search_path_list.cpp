#include "ui/search_path_list.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <vector>

#include "os/utf16.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/path_list_rules.h"

namespace {

void ShowError(const char* text) {
    MessageBoxA(g_app.dialogWindow, text, "Error", MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

// A folder whose UTF-8 form would not fit the search's buffers is refused as well: it would
// be searched cut, as another folder.
int CheckFolderAccess(const std::string& path) {
    bool converted = false;
    const std::wstring wide = os::Widen(path, &converted);
    if (converted && path.size() < kTextBufferSize &&
        GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return 1;
    }
    ShowError("The directory is not accessable");
    return 0;
}

int CheckPathOverlap(const std::string& path) {
    ListCtrlEx& list = g_app.pathList;
    std::vector<std::string> rows;
    const int count = list.GetItemCount();
    for (int i = 0; i < count; ++i) {
        char text[kTextBufferSize] = {};
        list.GetItemText(i, 0, text, kTextBufferSize);
        rows.emplace_back(text);
    }
    const PathOverlap overlap = FindPathOverlap(rows, path);
    switch (overlap.kind) {
        case PathOverlap::Kind::kNone:
            return 0;
        case PathOverlap::Kind::kAlreadyIncluded:
            ShowError("The directory is already included in our search");
            return 1;
        case PathOverlap::Kind::kParentOfRow:
            list.SetItemText(overlap.row, 0, path.c_str());
            // Bottom up, so the rows still to go keep their indexes.
            for (auto row = overlap.alsoCovered.rbegin(); row != overlap.alsoCovered.rend();
                 ++row) {
                SendMessageA(list.hwnd, LVM_DELETEITEM, static_cast<WPARAM>(*row), 0);
            }
            list.SetColumnWidth(0, -1);
            SetDlgItemTextA(g_app.dialogWindow, IDC_PATH_EDIT, nullptr);
            return 1;
    }
    return 0;
}

void BrowseForSearchPath() {
    wchar_t chosen[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = g_app.dialogWindow;
    info.pszDisplayName = chosen;
    info.lpszTitle = L"Select a folder to search";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    if (item == nullptr) {
        return;
    }
    if (SHGetPathFromIDListW(item, chosen)) {
        std::string path = os::Narrow(chosen);
        AddSearchPath(path);
    }
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(item);
        allocator->Release();
    }
}

}  // namespace

int AddSearchPath(std::string& path) {
    if (path.empty()) {
        return 0;
    }
    NormalizeSearchPath(path);
    if (CheckFolderAccess(path) == 0 || CheckPathOverlap(path) == 1) {
        return 0;
    }
    g_app.pathList.InsertItem(0, path.c_str(), ListCtrlEx::GetFolderIconIndex(true), 0);
    g_app.pathList.SetColumnWidth(0, -1);
    return 1;
}

void OnAddCommand() {
    wchar_t typed[kTextBufferSize] = {};
    const UINT length = GetDlgItemTextW(g_app.dialogWindow, IDC_PATH_EDIT, typed, kTextBufferSize);
    if (length == 0) {
        BrowseForSearchPath();
        return;
    }
    std::string path = os::Narrow(typed, length);
    if (AddSearchPath(path) == 1) {
        SetDlgItemTextA(g_app.dialogWindow, IDC_PATH_EDIT, nullptr);
    }
}

void RemoveSelectedPath() {
    const LRESULT mark = SendMessageA(g_app.pathList.hwnd, LVM_GETSELECTIONMARK, 0, 0);
    if (mark >= 0) {
        SendMessageA(g_app.pathList.hwnd, LVM_DELETEITEM, static_cast<WPARAM>(mark), 0);
    }
}

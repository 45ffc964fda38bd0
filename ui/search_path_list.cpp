#include "ui/search_path_list.h"

#include <windows.h>
#include <commctrl.h>
#include <io.h>
#include <shlobj.h>

#include <vector>

#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/path_list_rules.h"

namespace {

void ShowError(const char* text) {
    MessageBoxA(g_app.dialogWindow, text, "Error", MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

int CheckFolderAccess(const std::string& path) {
    if (_access(path.c_str(), 0) == 0) {
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
    char chosen[kTextBufferSize] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = g_app.dialogWindow;
    info.pszDisplayName = chosen;
    info.lpszTitle = "Select a folder to search";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (item == nullptr) {
        return;
    }
    if (SHGetPathFromIDListA(item, chosen)) {
        std::string path = chosen;
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
    char typed[kTextBufferSize + 2] = {};
    GetDlgItemTextA(g_app.dialogWindow, IDC_PATH_EDIT, typed, kTextBufferSize);
    if (typed[0] == '\0') {
        BrowseForSearchPath();
        return;
    }
    std::string path = typed;
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

#include "ui/search_path_list.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "os/path_info.h"
#include "os/utf16.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/path_list_rules.h"

namespace {

constexpr char kNotAccessible[] = "The directory is not accessable";
constexpr char kAlreadyIncluded[] = "The directory is already included in our search";

void ShowError(const std::string& text) {
    MessageBoxW(g_app.dialogWindow, os::Widen(text).c_str(), L"Error",
                MB_OK | MB_ICONWARNING | MB_TOPMOST);
}

// Shows the refusal's box, or notes the path under its reason.
void Refuse(const char* reason, const std::string& path, PathRefusals* refusals) {
    if (refusals == nullptr) {
        ShowError(reason);
    } else {
        (reason == kNotAccessible ? refusals->notAccessible : refusals->alreadyIncluded)
            .push_back(path);
    }
}

// A folder whose UTF-8 form would not fit the search's buffers is refused as well: it would
// be searched cut, as another folder.
int CheckFolderAccess(const std::string& path, PathRefusals* refusals) {
    if (path.size() < kTextBufferSize && os::KindOfPath(path) != os::PathKind::kMissing) {
        return 1;
    }
    Refuse(kNotAccessible, path, refusals);
    return 0;
}

int CheckPathOverlap(const std::string& path, PathRefusals* refusals) {
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
            Refuse(kAlreadyIncluded, path, refusals);
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

int AddSearchPath(std::string& path, PathRefusals* refusals) {
    if (path.empty()) {
        return 0;
    }
    NormalizeSearchPath(path);
    if (CheckFolderAccess(path, refusals) == 0 || CheckPathOverlap(path, refusals) == 1) {
        return 0;
    }
    g_app.pathList.InsertItem(0, path.c_str(), ListCtrlEx::GetFolderIconIndex(true), 0);
    g_app.pathList.SetColumnWidth(0, -1);
    return 1;
}

void ShowPathRefusals(const PathRefusals& refusals) {
    const std::pair<const char*, const std::vector<std::string>*> reasons[] = {
        {kNotAccessible, &refusals.notAccessible}, {kAlreadyIncluded, &refusals.alreadyIncluded}};
    for (const auto& [reason, paths] : reasons) {
        if (paths->empty()) {
            continue;
        }
        std::string text = std::string(reason) + "\n";
        for (const std::string& path : *paths) {
            text += "\n" + path;
        }
        ShowError(text);
    }
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

void RemoveSelectedPaths() {
    const std::vector<int> rows = g_app.pathList.GetSelectedRows();
    // Bottom up, so the rows still to go keep their indexes.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        SendMessageW(g_app.pathList.hwnd, LVM_DELETEITEM, static_cast<WPARAM>(*row), 0);
    }
}

void RemoveSelectedPath() {
    const LRESULT mark = SendMessageA(g_app.pathList.hwnd, LVM_GETSELECTIONMARK, 0, 0);
    if (mark >= 0) {
        SendMessageA(g_app.pathList.hwnd, LVM_DELETEITEM, static_cast<WPARAM>(mark), 0);
    }
}

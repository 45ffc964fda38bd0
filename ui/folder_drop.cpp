#include "ui/folder_drop.h"

#include <string>
#include <vector>

#include "os/utf16.h"
#include "resources/resource_ids.h"
#include "ui/given_folders.h"
#include "ui/handles.h"

void AcceptFolderDrops(HWND dialog) {
    DragAcceptFiles(dialog, TRUE);
    // Windows 7 and later: an elevated window takes these from other programs only when asked.
    using AllowMessage = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    const auto allow = reinterpret_cast<AllowMessage>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    constexpr UINT kCopyGlobalData = 0x0049;  // carries the drop's data across the boundary
    for (const UINT message :
         {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        if (allow != nullptr) {
            allow(dialog, message, MSGFLT_ALLOW, nullptr);
        }
    }
}

void OnFolderDrop(HWND dialog, HDROP drop) {
    const DroppedFiles dropped(drop);
    if (!IsWindowEnabled(GetDlgItem(dialog, IDC_ADD))) {
        return;
    }
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        DragQueryFileW(drop, i, &name[0], length + 1);
        paths.push_back(os::Narrow(name.data(), length));
    }
    AddGivenFolders(paths);
}

#include "ui/list_commands.h"

#include <string>
#include <vector>

#include "ui/app_state.h"
#include "ui/clipboard.h"
#include "ui/search_path_list.h"

namespace {

void CopySelectedPaths() {
    std::vector<std::string> paths;
    for (const int row : g_app.pathList.GetSelectedRows()) {
        char text[kTextBufferSize] = {};
        g_app.pathList.GetItemText(row, 0, text, kTextBufferSize);
        paths.emplace_back(text);
    }
    if (!paths.empty()) {
        CopyToClipboard(g_app.dialogWindow, paths, false);
    }
}

}  // namespace

void CopySelectedResults(bool names) {
    std::vector<std::string> lines;
    for (const int row : g_app.resultList.GetSelectedRows()) {
        const auto index = static_cast<std::size_t>(row);
        if (index < g_app.resultIcons.size()) {
            lines.push_back(names ? std::string(g_app.search.FoundName(index))
                                  : g_app.search.FoundPath(index));
        }
    }
    if (!lines.empty()) {
        CopyToClipboard(g_app.dialogWindow, lines, !names);
    }
}

void OnListKey(const NMLVKEYDOWN& key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool paths = key.hdr.hwndFrom == g_app.pathList.hwnd;
    if (!paths && key.hdr.hwndFrom != g_app.resultList.hwnd) {
        return;
    }
    if (control && key.wVKey == 'A') {
        (paths ? g_app.pathList : g_app.resultList).SelectAll();
    } else if (control && key.wVKey == 'C') {
        paths ? CopySelectedPaths() : CopySelectedResults(false);
    } else if (!control && key.wVKey == VK_DELETE && paths) {
        RemoveSelectedPaths();
    }
}

#include "ui/main_dialog.h"

#include <commctrl.h>

#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/folder_drop.h"
#include "ui/list_commands.h"
#include "ui/result_rows.h"
#include "ui/save_list.h"
#include "ui/search_path_list.h"
#include "ui/search_thread.h"
#include "ui/shell_actions.h"
#include "ui/startup_options.h"
#include "ui/window_dpi.h"

namespace {

// The results list's columns and their widths at 96 DPI.
constexpr const char* kResultColumns[] = {"File Name", "Modify Date", "File Size", "Full Path"};
constexpr int kResultColumnWidths[] = {75, 75, 65, 175};

// What the program sizes itself: the painted controls' fonts and insets and the lists' icons.
void UseDpi(int dpi) {
    g_app.progressBar.SetDpi(dpi);
    g_app.statusLine.SetDpi(dpi);
    g_app.pathList.UseSmallIcons(dpi);
    g_app.resultList.UseSmallIcons(dpi);
}

void SetUpColumns(int dpi) {
    ListCtrlEx& paths = g_app.pathList;
    paths.InsertColumn(0, "Paths", LVCFMT_LEFT, -1, -1);
    paths.SetColumnWidth(0, -1);

    ListCtrlEx& results = g_app.resultList;
    for (int column = 0; column < 4; ++column) {
        results.InsertColumn(column, kResultColumns[column], LVCFMT_LEFT,
                             ScaleToDpi(kResultColumnWidths[column], dpi), -1);
    }
    SendMessageA(results.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP | LVS_EX_DOUBLEBUFFER);
}

// The anchor layout has taken the suggested rectangle and placed the controls already.
void OnDpiChanged(int dpi) {
    const int previous = g_app.resultList.Dpi();
    UseDpi(dpi);
    g_app.pathList.SetColumnWidth(0, -1);
    ListCtrlEx& results = g_app.resultList;
    const bool rows = results.GetItemCount() > 0;
    for (int column = 0; column < 4; ++column) {
        if (column < 2 && rows) {
            results.SetColumnWidth(column, -1);  // the name and date columns fit their cells
        } else {
            // Through 96 DPI, so a column the user left alone is exactly its width at dpi.
            const int at96 = ScaleBetweenDpis(results.GetColumnWidth(column), previous, kBaseDpi);
            results.SetColumnWidth(column, ScaleToDpi(at96, dpi));
        }
    }
}

// The dialog never gets smaller than it opened; the lists and the bottom lines take the growth.
void AnchorControls() {
    AnchorLayout& layout = g_app.anchorLayout;
    layout.SetMinimumSize(0, 0);
    layout.AddControl(IDC_ADD, kAnchorFollow, kAnchorFixed, true);
    layout.AddControl(IDC_STOP, kAnchorFollow, kAnchorFixed, true);
    layout.AddControl(IDC_PATH_EDIT, kAnchorStretch, kAnchorFixed, true);
    layout.AddControl(IDC_PROGRESS, kAnchorStretch, kAnchorFollow, true);
    layout.AddControl(IDC_STATUS, kAnchorStretch, kAnchorFollow, true);
    layout.AddControl(IDC_PATH_LIST, kAnchorStretch, kAnchorFixed, true);
    layout.AddControl(IDC_RESULT_LIST, kAnchorStretch, kAnchorStretch, true);
}

void OnInitDialog(HWND dialog, const CommandLineOptions* options) {
    g_app.dialogWindow = dialog;
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    g_app.pathList.Attach(dialog, IDC_PATH_LIST);
    g_app.resultList.Attach(dialog, IDC_RESULT_LIST);
    g_app.progressBar.Attach(dialog, IDC_PROGRESS);
    g_app.statusLine.Attach(dialog, IDC_STATUS);
    g_app.statusLine.SetStyle(SCX_FACECOLOR, true);
    SetDlgItemTextA(dialog, IDC_EXT_FILTER, "");
    SendDlgItemMessageW(dialog, IDC_PATH_EDIT, EM_SETCUEBANNER, 0,
                        reinterpret_cast<LPARAM>(L"Add Search Path... example: D:\\MyFiles"));
    SendDlgItemMessageW(dialog, IDC_SEARCH_TEXT, EM_SETCUEBANNER, 0,
                        reinterpret_cast<LPARAM>(L"Enter text to search for..."));
    AnchorControls();
    AcceptFolderDrops(dialog);
    LeaveDpiLayoutToProgram(dialog);
    const int dpi = DpiOfWindow(dialog);
    UseDpi(dpi);
    SetUpColumns(dpi);
    if (options != nullptr) {
        FillStartupInputs(dialog, *options);
        PostMessageW(dialog, WM_ADD_STARTUP_FOLDERS, 0, reinterpret_cast<LPARAM>(options));
    }
}

// The full path of the results list's selection-mark row; empty when there is none.
std::string MarkedResultPath() {
    const LRESULT mark = SendMessageA(g_app.resultList.hwnd, LVM_GETSELECTIONMARK, 0, 0);
    const auto row = static_cast<std::size_t>(mark);
    return mark >= 0 && row < g_app.resultIcons.size() ? g_app.search.FoundPath(row) : "";
}

BOOL OnCommand(int command) {
    switch (command) {
        case IDC_ADD:
            OnAddCommand();
            return TRUE;
        case IDC_START:
            StartSearch();
            return TRUE;
        case IDC_STOP:
            g_app.search.stopFlag.store(1, std::memory_order_relaxed);
            return TRUE;
        case ID_REMOVE_PATH:
            RemoveSelectedPath();
            return FALSE;
        case ID_OPEN_LOCATION:
        case ID_EXECUTE_FILE:
            if (const std::string path = MarkedResultPath(); !path.empty()) {
                if (command == ID_OPEN_LOCATION) {
                    OpenFileLocation(path.c_str());
                } else {
                    ExecuteFile(path.c_str());
                }
            }
            return FALSE;
        case ID_COPY_FULL_PATH:
        case ID_COPY_FILE_NAME:
            CopySelectedResults(command == ID_COPY_FILE_NAME);
            return FALSE;
        case ID_SAVE_LIST:
            SaveResultList();
            return FALSE;
        default:
            return FALSE;
    }
}

void OnNotify(HWND dialog, NMHDR* header) {
    if (header->code == LVN_GETDISPINFOW && header->hwndFrom == g_app.resultList.hwnd) {
        FillResultCell(*reinterpret_cast<NMLVDISPINFOW*>(header), g_app.search, g_app.resultIcons);
        return;
    }
    if (header->code == static_cast<UINT>(LVN_KEYDOWN)) {
        OnListKey(*reinterpret_cast<NMLVKEYDOWN*>(header));
        return;
    }
    if (header->code != static_cast<UINT>(NM_RCLICK)) {
        return;
    }
    const ListCtrlEx* lists[] = {&g_app.pathList, &g_app.resultList};
    const int menus[] = {IDM_PATH_MENU, IDM_RESULT_MENU};
    for (int i = 0; i < 2; ++i) {
        if (header->hwndFrom == lists[i]->hwnd &&
            SendMessageA(lists[i]->hwnd, LVM_GETSELECTIONMARK, 0, 0) != -1) {
            ShowContextMenu(dialog, menus[i]);
        }
    }
}

// Never waits for the worker: while it runs, ask it to stop and look again in 100 ms.
void RunCloseProtocol(HWND dialog) {
    const bool running = g_app.searchThread.IsRunning();
    KillTimer(dialog, TIMER_CLOSE_RETRY);
    CancelKeptStart();
    if (running) {
        g_app.search.stopFlag.store(1, std::memory_order_relaxed);
        SetTimer(dialog, TIMER_CLOSE_RETRY, 100, nullptr);
        return;
    }
    g_app.searchThread.Close();
    EndDialog(dialog, 0);
}

}  // namespace

void ShowContextMenu(HWND owner, int menuId) {
    SetForegroundWindow(owner);
    POINT at;
    GetCursorPos(&at);
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
    TrackPopupMenu(GetSubMenu(menu, 0), 0, at.x, at.y, 0, owner, nullptr);
    DestroyMenu(menu);
    PostMessageA(owner, WM_NULL, 0, 0);
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    g_app.anchorLayout.OnMessage(dialog, message, wParam, lParam);
    if (message == TaskbarButton::CreatedMessage() && message != 0) {
        g_app.taskbar.OnCreated();
        return TRUE;
    }
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, reinterpret_cast<const CommandLineOptions*>(lParam));
            return TRUE;
        case WM_DROPFILES:
            OnFolderDrop(dialog, reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_TASKBAR_PROGRESS:
            g_app.taskbar.Show(dialog,
                               {static_cast<TaskbarState>(wParam), static_cast<int>(lParam)});
            return TRUE;
        case WM_DESTROY:
            g_app.taskbar.Release();  // before COM goes
            return FALSE;
        case WM_ADD_STARTUP_FOLDERS:
            AddStartupFolders(*reinterpret_cast<const CommandLineOptions*>(lParam));
            return TRUE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        case WM_NOTIFY:
            OnNotify(dialog, reinterpret_cast<NMHDR*>(lParam));
            return FALSE;
        case WM_TIMER:
            if (wParam == TIMER_CLOSE_RETRY) {
                RunCloseProtocol(dialog);
            } else if (wParam == TIMER_STATUS_TICK) {
                g_app.search.statusDueFlag.store(1, std::memory_order_relaxed);
            } else if (wParam == TIMER_START_RETRY) {
                OnStartRetryTimer();
            }
            return TRUE;
        case WM_CLOSE:
            RunCloseProtocol(dialog);
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam));
            return FALSE;  // the dialog manager still gives the template's controls their font
        case WM_ADD_RESULT_ROWS:
            AddResultRows(g_app.resultList, g_app.search,
                          *reinterpret_cast<ResultRowBatch*>(lParam), g_app.resultIcons);
            return TRUE;
        case WM_CLEAR_RESULT_ROWS:
            SendMessageW(g_app.resultList.hwnd, LVM_DELETEALLITEMS, 0, 0);
            g_app.resultIcons.clear();
            return TRUE;
        default:
            return FALSE;
    }
}

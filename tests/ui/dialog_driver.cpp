#include "tests/ui/dialog_driver.h"

#include <commctrl.h>
#include <objbase.h>

#include <mutex>

#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/main_dialog.h"

namespace {

DialogDriver* g_driver = nullptr;
std::mutex g_historyLock;
std::vector<std::string> g_history;

constexpr DWORD kSendTimeoutMs = 10000;

LRESULT SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

struct FindContext {
    HWND exclude;
    const char* caption;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindWindowOfThread(HWND window, LPARAM param) {
    auto* context = reinterpret_cast<FindContext*>(param);
    char text[256] = {};
    char cls[64] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, cls, sizeof cls);
    if (window != context->exclude && IsWindowVisible(window) &&
        (context->caption == nullptr || lstrcmpA(text, context->caption) == 0) &&
        (context->className == nullptr || lstrcmpA(cls, context->className) == 0)) {
        context->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(DWORD threadId, HWND exclude, const char* caption, const char* cls) {
    FindContext context{exclude, caption, cls, nullptr};
    EnumThreadWindows(threadId, FindWindowOfThread, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

DialogDriver::DialogDriver() {
    static bool commonControls = [] {
        InitCommonControls();
        return true;
    }();
    (void)commonControls;
    g_driver = this;
    ClearStatusHistory();
    g_app.dialogWindow = nullptr;
    thread_ = CreateThread(nullptr, 0, DialogThread, this, 0, &threadId_);
    WaitUntil([&] { return g_app.dialogWindow != nullptr && IsWindowVisible(g_app.dialogWindow); });
    dialog_ = g_app.dialogWindow;
    // Watch the status line: every text it is given, and the hook for the test. The hook goes
    // over the painted label, so wait until the label has taken the window over.
    HWND status = Item(IDC_STATUS);
    WaitUntil([&] {
        return GetWindowLongPtrA(status, GWLP_USERDATA) ==
               reinterpret_cast<LONG_PTR>(&g_app.statusLine);
    });
    SendWaiting(dialog_, WM_NULL, 0, 0);
    statusProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusHook)));
}

DialogDriver::~DialogDriver() {
    if (thread_ == nullptr) {
        return;
    }
    MessageBoxSeen ignored;
    while (TakeMessageBox(ignored, 0)) {
    }
    if (IsWindow(dialog_)) {
        PostMessageA(dialog_, WM_CLOSE, 0, 0);
    }
    WaitClosed(15000);
    CloseHandle(thread_);
    g_driver = nullptr;
}

DWORD WINAPI DialogDriver::DialogThread(LPVOID self) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    static_cast<DialogDriver*>(self)->result_ = DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
    CoUninitialize();
    return 0;
}

LRESULT CALLBACK DialogDriver::StatusHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogDriver* self = g_driver;
    if (message == kReadShownText) {
        // The painted label keeps the text it shows to itself, on its own thread.
        *reinterpret_cast<std::string*>(lParam) = g_app.statusLine.Text();
        return 0;
    }
    const LRESULT result = CallWindowProcA(self->statusProc_, window, message, wParam, lParam);
    if (message == WM_SETTEXT && lParam != 0) {
        const std::string text = reinterpret_cast<const char*>(lParam);
        {
            std::lock_guard<std::mutex> lock(g_historyLock);
            g_history.push_back(text);
        }
        if (self->onStatus) {
            self->onStatus(text);
        }
    }
    return result;
}

std::vector<std::string> DialogDriver::StatusHistory() const {
    std::lock_guard<std::mutex> lock(g_historyLock);
    return g_history;
}

void DialogDriver::ClearStatusHistory() {
    std::lock_guard<std::mutex> lock(g_historyLock);
    g_history.clear();
}

bool DialogDriver::WaitClosed(DWORD timeoutMs) {
    return WaitForSingleObject(thread_, timeoutMs) == WAIT_OBJECT_0;
}

void DialogDriver::Type(int id, const std::string& text) {
    HWND edit = Item(id);
    SendWaiting(edit, EM_SETSEL, 0, -1);
    SendWaiting(edit, WM_CLEAR, 0, 0);
    for (char c : text) {
        SendWaiting(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

void DialogDriver::Click(int id) {
    SendWaiting(Item(id), BM_CLICK, 0, 0);
}

void DialogDriver::ClickLater(int id) {
    PostMessageA(Item(id), BM_CLICK, 0, 0);
}

void DialogDriver::Command(int id) {
    SendWaiting(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool DialogDriver::SearchRunning() const {
    return g_app.searchThread.IsRunning();
}

void DialogDriver::WaitForSearchEnd() {
    WaitUntil([&] { return !SearchRunning(); }, 60000);
    SendWaiting(dialog_, WM_NULL, 0, 0);
}

void DialogDriver::RunSearch() {
    Click(IDC_START);
    WaitForSearchEnd();
}

std::string DialogDriver::Text(int id) const {
    if (id == IDC_STATUS) {
        std::string shown;
        SendWaiting(Item(id), kReadShownText, 0, reinterpret_cast<LPARAM>(&shown));
        return shown;
    }
    char text[1024] = {};
    SendWaiting(Item(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

int DialogDriver::ProgressPos() const {
    return static_cast<int>(SendWaiting(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

std::vector<std::vector<std::string>> DialogDriver::Rows(int listId, int columns) const {
    HWND list = Item(listId);
    std::vector<std::vector<std::string>> rows;
    const int count = static_cast<int>(SendWaiting(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < columns; ++c) {
            char text[1024] = {};
            LVITEMA item = {};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendWaiting(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(r),
                        reinterpret_cast<LPARAM>(&item));
            row.emplace_back(text);
        }
        rows.push_back(row);
    }
    return rows;
}

int DialogDriver::ColumnWidth(int listId, int column) const {
    return static_cast<int>(SendWaiting(Item(listId), LVM_GETCOLUMNWIDTH, column, 0));
}

void DialogDriver::Select(int listId, const std::vector<int>& rows, int mark) {
    HWND list = Item(listId);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendWaiting(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    for (int row : rows) {
        state.state = LVIS_SELECTED;
        SendWaiting(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&state));
    }
    SendWaiting(list, LVM_SETSELECTIONMARK, 0, mark);
}

bool DialogDriver::ContextMenu(int listId, int item) {
    HWND list = Item(listId);
    // Click below the last row, so the click itself selects nothing new.
    RECT client;
    GetClientRect(list, &client);
    const LPARAM at = MAKELPARAM(client.right - 5, client.bottom - 5);
    PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(list, WM_RBUTTONUP, 0, at);
    HWND menu = nullptr;
    WaitUntil(
        [&] { return (menu = FindThreadWindow(threadId_, nullptr, nullptr, "#32768")) != nullptr; },
        1500);
    if (menu == nullptr) {
        return false;
    }
    for (int i = 0; i < item; ++i) {
        PostMessageA(dialog_, WM_KEYDOWN, VK_DOWN, 0);
    }
    PostMessageA(dialog_, WM_KEYDOWN, VK_RETURN, 0);
    WaitUntil([&] { return FindThreadWindow(threadId_, nullptr, nullptr, "#32768") == nullptr; });
    SendWaiting(dialog_, WM_NULL, 0, 0);
    return true;
}

HWND DialogDriver::FindOwnedWindow(const char* caption) const {
    return FindThreadWindow(threadId_, dialog_, caption, nullptr);
}

bool DialogDriver::HasMessageBox() const {
    return FindThreadWindow(threadId_, dialog_, nullptr, "#32770") != nullptr;
}

bool DialogDriver::TakeMessageBox(MessageBoxSeen& seen, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] { return (box = FindThreadWindow(threadId_, dialog_, nullptr, "#32770")) != nullptr; },
        timeoutMs);
    if (box == nullptr) {
        return false;
    }
    char text[512] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    // The icon sits in the box's one icon-style static, whatever its identifier.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            const auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            seen.warningIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_WARNING);
        }
    }
    seen.okOnly = GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr &&
                  GetDlgItem(box, IDYES) == nullptr;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return true;
}

#include "tests/ui/dialog_driver.h"

#include <commctrl.h>

#include <chrono>
#include <cstdlib>
#include <future>

#include "ui/app_state.h"
#include "ui/main_dialog.h"

static constexpr UINT kRun = WM_APP + 1;
static DialogDriver* g_driver = nullptr;

static DWORD WINAPI DialogThread(LPVOID) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program's entry does
    DialogBoxParamW(nullptr, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    CoUninitialize();
    return 0;
}

static LRESULT CALLBACK StatusHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRun) {
        (*reinterpret_cast<std::function<void()>*>(lParam))();
    }
    const LRESULT result = CallWindowProcW(g_driver->statusProc, window, message, wParam, lParam);
    if (message == WM_SETTEXT && lParam != 0 && g_driver->onStatus) {
        g_driver->onStatus(os::Narrow(reinterpret_cast<const wchar_t*>(lParam)));
    } else if (message == WM_DESTROY && g_driver->onDestroy) {
        g_driver->onDestroy();
    }
    return result;
}

// Waits for an error box, tells what it shows and presses OK; "" when none came (`what`:
// WaitUntil's).
std::string TakeErrorBox(const char* what, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        what, [&] { return IsWindowVisible(box = FindWindowA("#32770", "Error")); }, timeoutMs);
    wchar_t text[2000] = {};
    if (!GetDlgItemTextW(box, 0xFFFF, text, 2000)) {
        return "";
    }
    // The icon is in one of the box's statics, whatever its identifier; others answer 0.
    const auto warning = reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_WARNING));
    std::string shown = os::Narrow(text);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        shown += SendMessageA(child, STM_GETICON, 0, 0) == warning ? ", warning" : "";
    }
    shown += GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) ? ", OK" : "";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil("the error box to close", [&] { return !IsWindow(box); });
    return shown;
}

void WaitUntil(const char* what, const std::function<bool()>& done, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < timeoutMs;) {
        Sleep(5);
    }
    EXPECT_TRUE(done() || what == nullptr) << "waited " << timeoutMs << " ms for " << what;
}

DialogDriver::DialogDriver() {
    InitCommonControls();
    g_driver = this;
    g_app.dialogWindow = nullptr;
    thread = ThreadHandle(CreateThread(nullptr, 0, DialogThread, nullptr, 0, nullptr));
    // The hook goes over the painted label, once the label has taken the window over.
    WaitUntil("the dialog and its status line", [this] {
        return (dialog = g_app.dialogWindow) &&
               GetWindowLongPtrA(Item(IDC_STATUS), GWLP_USERDATA) ==
                   reinterpret_cast<LONG_PTR>(&g_app.statusLine);
    });
    statusProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Item(IDC_STATUS), GWLP_WNDPROC));
    SetWindowLongPtrW(Item(IDC_STATUS), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusHook));
    OnDialogThread();
}

DialogDriver::~DialogDriver() {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(thread.Get(), 10000), WAIT_OBJECT_0) << "not closed in 10 s";
}

void DialogDriver::OnDialogThread(const std::function<void()>& work) const {
    std::promise<void> done;
    std::function<void()> run = [&] {
        work();
        done.set_value();
    };
    PostMessageA(Item(IDC_STATUS), kRun, 0, reinterpret_cast<LPARAM>(&run));
    if (done.get_future().wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "the dialog's thread did not run the work within 20 s";
        std::abort();  // that thread may still run it, and it refers to this frame
    }
}

void DialogDriver::Click(int id) const {
    PostMessageA(Item(id), BM_CLICK, 0, 0);
    OnDialogThread();
}

void DialogDriver::RunSearch() const {
    Click(IDC_START);
    WaitUntil(
        "the search's end", [] { return !g_app.searchThread.IsRunning(); }, 60000);
    OnDialogThread();
}

std::string Cell(HWND list, int row, int column) {
    wchar_t text[600] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 600;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return os::Narrow(text);
}

std::vector<std::string> DialogDriver::Rows(int listId) const {
    const HWND list = Item(listId);
    std::vector<std::string> rows;
    for (int r = 0; r < ListView_GetItemCount(list); ++r) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = r;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back(std::to_string(item.iImage));
        for (int c = 0; c < Header_GetItemCount(ListView_GetHeader(list)); ++c) {
            rows.back() += "|" + Cell(list, r, c);
        }
    }
    return rows;
}

void DialogDriver::ContextMenu(int listId, int mark, char key, bool selectAll) const {
    // Every row selected, the mark on one: the actions must take the mark's row alone.
    const HWND list = Item(listId);
    if (selectAll) {
        ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
    }
    ListView_SetSelectionMark(list, mark);
    // At the bottom right, below the last row, so that the click selects nothing; or on the
    // mark's row, which keeps the selection as it is when that row is selected.
    RECT at;
    GetClientRect(list, &at);
    at.left = at.right -= 5;
    at.top = at.bottom -= 5;
    if (!selectAll) {
        ListView_GetItemRect(list, mark, &at, LVIR_LABEL);
    }
    const LPARAM point = MAKELPARAM(at.left, (at.top + at.bottom) / 2);
    PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageA(list, WM_RBUTTONUP, 0, point);
    const auto menuShown = [] { return IsWindowVisible(FindWindowA("#32768", nullptr)) != FALSE; };
    WaitUntil("the context menu", menuShown, 3000);
    PostMessageA(dialog, WM_CHAR, key, 0);
    WaitUntil("the context menu to close", [&] { return !menuShown(); });
    OnDialogThread();  // the menu posted its command before
}

void DialogDriver::Key(int listId, WORD key, bool control) const {
    // Through the dialog's loop, as typed, with Ctrl down in the dialog thread's key state.
    const auto setControl = [](BYTE down) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = down;
        SetKeyboardState(keys);
    };
    OnDialogThread([&] { setControl(control ? 0x80 : 0); });
    PostMessageW(Item(listId), WM_KEYDOWN, key, 1);
    OnDialogThread([&] { setControl(0); });
}

// A Start pressed the moment a search gives the inputs back, while its worker is still ending,
// starts the next search: the click comes at that exact moment, from the Start button's own
// enabling, which the worker waits for.

#include <atomic>
#include <utility>

#include "tests/ui/dialog_driver.h"
#include "ui/app_state.h"

static WNDPROC g_startProc = nullptr;
static std::function<void()> g_onEnabled;

static LRESULT CALLBACK StartHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_startProc, window, message, wParam, lParam);
    if (message == WM_ENABLE && wParam != 0 && g_onEnabled) {
        std::exchange(g_onEnabled, nullptr)();  // once: the next search enables Start too
    }
    return result;
}

using DialogStart = DialogTest;

TEST_F(DialogStart, AStartPressedAsTheInputsComeBackStartsTheNextSearch) {
    std::atomic<int> searches{0};
    AtSearchStart([&] { ++searches; });
    ui.OnDialogThread([&] {
        g_startProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            ui.Item(IDC_START), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StartHook)));
        g_onEnabled = [&] {
            EXPECT_TRUE(g_app.searchThread.IsRunning()) << "the click must fall in the gap";
            SendMessageA(ui.dialog, WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ui.Item(IDC_START)));
        };
    });
    ui.Click(IDC_START);
    WaitUntil(
        "the second search to run and end",
        [&] { return searches == 2 && !g_app.searchThread.IsRunning(); }, 10000);
}

#include "ui/search_thread.h"

#include <windows.h>

#include "job/search_job.h"
#include "ui/app_state.h"
#include "ui/dialog_view.h"
#include "ui/main_dialog.h"

namespace {

DWORD WINAPI SearchThreadMain(LPVOID) {
    DialogSearchView view;
    RunSearchWorker(g_app.search, view);
    return 0;
}

}  // namespace

void StartSearch() {
    if (g_app.searchThread.IsRunning()) {
        SetTimer(g_app.dialogWindow, TIMER_START_RETRY, 10, nullptr);
        return;
    }
    CancelKeptStart();
    g_app.searchThread.Close();
    g_app.searchThread =
        ThreadHandle(CreateThread(nullptr, 0, SearchThreadMain, nullptr, 0, nullptr));
}

void OnStartRetryTimer() {
    if (!g_app.searchThread.IsRunning()) {
        StartSearch();
    }
}

void CancelKeptStart() {
    KillTimer(g_app.dialogWindow, TIMER_START_RETRY);
}

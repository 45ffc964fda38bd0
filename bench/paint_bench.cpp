// Under Wine: what the painted controls of the real dialog cost. How long a status text takes
// from the worker's side (the label repaints before the call returns), how long a progress
// position takes, and the CPU the process burns per second while the bar's timer runs with
// the marquee look on, and on after a position has ended that look (as after every walk).
// Usage: paint_bench [rounds]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/main_dialog.h"

namespace {

DWORD WINAPI DialogThread(LPVOID) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                    0);
    return 0;
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Milliseconds per call, as the worker thread sees it.
double PerCall(int calls, void (*call)(int)) {
    const double start = NowSeconds();
    for (int i = 0; i < calls; ++i) {
        call(i);
    }
    return (NowSeconds() - start) * 1000.0 / calls;
}

// CPU milliseconds the process uses per wall second while the test thread sleeps.
double IdleCpuPerSecond(double seconds) {
    const double cpu = ProcessCpuSeconds();
    Sleep(static_cast<DWORD>(seconds * 1000));
    return std::max(0.0, (ProcessCpuSeconds() - cpu) * 1000.0 / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    InitCommonControls();
    CreateThread(nullptr, 0, DialogThread, nullptr, 0, nullptr);
    while (g_app.dialogWindow == nullptr || !IsWindowVisible(g_app.dialogWindow)) {
        Sleep(10);
    }
    Sleep(500);
    const HWND bar = GetDlgItem(g_app.dialogWindow, IDC_PROGRESS);

    std::vector<double> texts, positions, marquee, ended, stopped;
    for (int round = 0; round < rounds; ++round) {
        texts.push_back(PerCall(200, [](int i) {
            const std::string text = "[" + std::to_string(i) + ".00%] Searching file " +
                                     std::to_string(i) + " of 68347, Files found: 3";
            SetDlgItemTextA(g_app.dialogWindow, IDC_STATUS, text.c_str());
        }));
        positions.push_back(PerCall(200, [](int i) {
            HWND window = GetDlgItem(g_app.dialogWindow, IDC_PROGRESS);
            SendMessageA(window, PBM_SETPOS, i % 101, 0);
            UpdateWindow(window);
        }));
        Sleep(1000);  // let the paints of the calls above settle
        stopped.push_back(IdleCpuPerSecond(5.0));
        SendMessageA(bar, PBM_SETMARQUEE, 1, 30);
        SendMessageA(bar, PBM_SETPOS, 0, 0);  // the look ends, the timer runs on
        ended.push_back(IdleCpuPerSecond(5.0));
        SendMessageA(bar, PBM_SETMARQUEE, 1, 30);
        marquee.push_back(IdleCpuPerSecond(5.0));
        SendMessageA(bar, PBM_SETMARQUEE, 0, 30);
    }
    std::printf("medians of %d rounds\n", rounds);
    std::printf("status text, worker's wait:        %.3f ms\n", Median(texts));
    std::printf("progress position and its paint:   %.3f ms\n", Median(positions));
    std::printf("CPU, marquee running:              %.1f ms/s\n", Median(marquee));
    std::printf("CPU, timer on after a position:    %.1f ms/s\n", Median(ended));
    std::printf("CPU, timer off:                    %.1f ms/s\n", Median(stopped));
    PostMessageA(g_app.dialogWindow, WM_CLOSE, 0, 0);
    return 0;
}

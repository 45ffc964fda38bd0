// Under Wine, with the real dialog shown: how long its results list takes to fill with N rows,
// added from a second thread in batches as the search job adds them, and how long a message
// to the dialog waits meanwhile, both sent (as the worker's own calls are) and posted (as
// input and timers are). Also how long the ordering of N results takes.
// Usage: population_bench [rounds] [rows...]   (default rows: 1000 10000 30000 100000)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/made_results.h"
#include "bench/null_view.h"
#include "bench/timing.h"
#include "job/row_batches.h"
#include "resources/resource_ids.h"
#include "results/result_ordering.h"
#include "ui/app_state.h"
#include "ui/dialog_view.h"
#include "ui/main_dialog.h"
#include "ui/result_rows.h"

namespace {

constexpr UINT kProbe = WM_APP + 77;  // posted to the dialog, which ignores it
constexpr DWORD kProbeEveryMs = 5;

std::atomic<bool> g_probing{false};
std::atomic<double> g_worstSent{0};
std::atomic<double> g_worstPosted{0};

double Microseconds() {
    return NowSeconds() * 1e6;
}

void Worst(std::atomic<double>& worst, double seconds) {
    double seen = worst.load();
    while (seconds > seen && !worst.compare_exchange_weak(seen, seconds)) {
    }
}

DWORD WINAPI DialogThread(LPVOID) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                    0);
    return 0;
}

// Sees each probe when the dialog thread takes it from its queue; lParam is when it was posted,
// in microseconds modulo 2^32.
LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == kProbe) {
        const auto now = static_cast<std::uint32_t>(static_cast<std::uint64_t>(Microseconds()));
        Worst(g_worstPosted, (now - static_cast<std::uint32_t>(msg->lParam)) / 1e6);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Every few milliseconds posts a probe; every fourth time also sends one and times how long
// the send waits. Sent messages go before posted ones, so sending more often would starve
// the posted probes, and input with them, more than the batches do.
DWORD WINAPI ProbeThread(LPVOID) {
    for (int i = 0; g_probing.load(); ++i) {
        const auto posted = static_cast<std::uint32_t>(static_cast<std::uint64_t>(Microseconds()));
        PostMessageA(g_app.dialogWindow, kProbe, 0, static_cast<LPARAM>(posted));
        if (i % 4 == 0) {
            const double start = NowSeconds();
            SendMessageA(g_app.dialogWindow, WM_NULL, 0, 0);
            Worst(g_worstSent, NowSeconds() - start);
        }
        Sleep(kProbeEveryMs);
    }
    return 0;
}

// The dialog's own view, counting the batches the job hands it.
class CountingView : public DialogSearchView {
  public:
    int batches = 0;
    double AddResultRows(const SearchState& state, std::size_t first, int count) override {
        ++batches;
        return DialogSearchView::AddResultRows(state, first, count);
    }
};

struct Round {
    double ordering, prepare, fill, worstSent, worstPosted;
    int batches;
};

// One population of an empty list from the ordered results, with the status tick armed as
// during a search and the probes running.
Round Populate(std::size_t n) {
    SearchState& state = g_app.search;
    MakeFoundFiles(state, n);
    Round round{};
    NullView quiet;
    double start = NowSeconds();
    SortResultsByDate(0, static_cast<int>(n), state, quiet);
    round.ordering = NowSeconds() - start;
    // What the worker alone spends on the rows' icons and texts, measured apart.
    start = NowSeconds();
    ResultColumnFit fit;
    FileIconCache icons;
    RowTextMeter meter(g_app.resultList.hwnd);
    PrepareResultRows(state, 0, static_cast<int>(n), fit, icons, meter);
    round.prepare = NowSeconds() - start;

    CountingView view;
    view.ClearResults();
    g_worstSent = 0;
    g_worstPosted = 0;
    g_probing = true;
    HANDLE probe = CreateThread(nullptr, 0, ProbeThread, nullptr, 0, nullptr);
    view.StartStatusTick();
    start = NowSeconds();
    PopulateResultList(state, view);
    round.fill = NowSeconds() - start;
    view.StopStatusTick();
    g_probing = false;
    WaitForSingleObject(probe, INFINITE);
    CloseHandle(probe);
    round.worstSent = g_worstSent;
    round.worstPosted = g_worstPosted;
    round.batches = view.batches;
    view.ClearResults();
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    InitCommonControls();
    DWORD dialogThreadId = 0;
    HANDLE dialogThread = CreateThread(nullptr, 0, DialogThread, nullptr, 0, &dialogThreadId);
    while (g_app.dialogWindow == nullptr || !IsWindowVisible(g_app.dialogWindow)) {
        Sleep(10);
    }
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, ProbeHook, nullptr, dialogThreadId);
    std::printf("shown window, medians of %d rounds (worst delays: median and max of rounds)\n",
                rounds);
    std::printf("%7s %11s %10s %8s %9s %13s %13s %8s\n", "rows", "ordering s", "prepare s",
                "fill s", "fill s/1k", "sent ms", "posted ms", "batches");
    std::vector<std::size_t> sizes = {1000, 10000, 30000, 100000};
    if (argc > 2) {
        sizes.assign(argc - 2, 0);
        std::transform(argv + 2, argv + argc, sizes.begin(),
                       [](const char* n) { return std::atoi(n); });
    }
    for (std::size_t n : sizes) {
        std::vector<double> order, prepare, fill, sent, posted, batches;
        for (int r = 0; r < rounds; ++r) {
            const Round round = Populate(n);
            order.push_back(round.ordering);
            prepare.push_back(round.prepare);
            fill.push_back(round.fill);
            sent.push_back(round.worstSent * 1000);
            posted.push_back(round.worstPosted * 1000);
            batches.push_back(round.batches);
        }
        std::printf("%7zu %11.3f %10.3f %8.3f %9.3f %6.0f %6.0f %6.0f %6.0f %8.0f\n", n,
                    Median(order), Median(prepare), Median(fill), Median(fill) / (n / 1000.0),
                    Median(sent), *std::max_element(sent.begin(), sent.end()), Median(posted),
                    *std::max_element(posted.begin(), posted.end()), Median(batches));
        std::fflush(stdout);
    }
    UnhookWindowsHookEx(hook);
    PostMessageA(g_app.dialogWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(dialogThread, 5000);
    return 0;
}

// The process-wide state: the search's records and flags, and the dialog's window objects.
// One instance lives for the whole process; the dialog thread and the worker share it.
#pragma once

#include <windows.h>

#include "controls/list_ctrl_ex.h"
#include "controls/percent_progress_bar.h"
#include "controls/static_ctrl_ex.h"
#include "engine/search_model.h"
#include "ui/anchor_layout.h"
#include "ui/handles.h"
#include "ui/result_rows.h"
#include "ui/taskbar_button.h"

// Members are built in this order before the entry point and destroyed in reverse at exit.
struct AppState {
    AnchorLayout anchorLayout;
    ListCtrlEx pathList;
    ListCtrlEx resultList;
    RowIcons resultIcons;  // the shown rows' icons, a row each; dialog thread only
    PercentProgressBar progressBar;
    StaticCtrlEx statusLine;
    SearchState search;
    HWND dialogWindow = nullptr;
    HWND progressBarWindow = nullptr;  // looked up by each search job
    ThreadHandle searchThread;
    TaskbarButton taskbar;  // dialog thread only
};

extern AppState g_app;

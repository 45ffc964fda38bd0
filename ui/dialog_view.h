// The search job's window: the main dialog's controls, driven with synchronous calls from
// the worker thread. One is made per search, on the worker. Texts that can hold a name cross
// as UTF-8 and go to the controls as UTF-16.
#pragma once

#include <windows.h>

#include "engine/search_view.h"
#include "ui/result_rows.h"
#include "ui/taskbar_state.h"

class DialogSearchView : public SearchView {
  public:
    DialogSearchView();

    void ReadExtensionFilter(char (&buffer)[kTextBufferSize]) override;
    bool ReadMatchCase() override;
    void ReadSearchText(TypedText& text) override;
    int FolderCount() override;
    void ReadFolder(int row, char (&buffer)[kTextBufferSize]) override;
    void SetStatusText(const char* text) override;
    void SetProgressPos(int percent) override;
    void StartMarquee() override;
    void StopMarquee() override;
    void SetPercentRange() override;
    void ClearResults() override;
    double AddResultRows(const SearchState& state, std::size_t first, int count) override;
    void EnableInputs(bool enable) override;
    void StartStatusTick() override;
    void StopStatusTick() override;

  private:
    // Posts the taskbar button's new state to the dialog when the event changes it.
    void FollowOnTaskbar(SearchEvent event, int percent = 0);

    LONG barStyle_ = 0;  // the bar's style before the marquee started
    TaskbarTracker taskbar_;
    ResultColumnFit columnFit_;
    FileIconCache icons_;
    RowTextMeter meter_;
};

// Enables the inputs and disables Stop, or the other way round.
void EnableSearchControls(bool enable);

// A SearchView that records every call but the input reads as a line of text ("status
// Populating List...", "pos 50", "row a.txt") and lets a test act on each call, e.g. press
// Stop or tick the timer.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "engine/allocation.h"
#include "engine/search_view.h"

class RecordingView : public SearchView {
  public:
    using Buffer = char[kTextBufferSize];

    std::u16string searchText;  // ASCII in the job's tests, so its ANSI bytes are its units
    std::string status;         // the last status text
    std::vector<std::string> folders, calls;
    std::string log;                                 // the calls as one text, each followed by "; "
    std::function<void(const std::string&)> onCall;  // after each call is recorded
    bool rowsRefused = false;                        // the last batch of rows found no memory

    // Match Case and the filter are the engine's tests' and the dialog's.
    void ReadExtensionFilter(Buffer& to) override { to[0] = '\0'; }
    bool ReadMatchCase() override { return false; }
    void ReadSearchText(TypedText& to) override {
        to = {searchText, std::string(searchText.begin(), searchText.end())};
    }
    int FolderCount() override { return static_cast<int>(folders.size()); }
    void ReadFolder(int row, Buffer& to) override { Copy(folders.at(row), to); }
    void SetStatusText(const char* text) override { Record("status " + (status = text)); }
    void SetProgressPos(int percent) override { Record("pos " + std::to_string(percent)); }
    void StartMarquee() override { Record("marquee on"); }
    void StopMarquee() override { Record("marquee off"); }
    void SetPercentRange() override { Record("range 0 100"); }
    void ClearResults() override { Record("clear results"); }
    // Rows take memory, as the window's do.
    double AddResultRows(const SearchState& state, std::size_t first, int count) override {
        rowsRefused = true;
        CheckAllocation();
        rowsRefused = false;
        for (std::size_t row = first; row < first + static_cast<std::size_t>(count); ++row) {
            Record("row " + std::string(state.FoundName(row)));
        }
        return 0;
    }
    void EnableInputs(bool enable) override { Record(enable ? "inputs on" : "inputs off"); }
    void StartStatusTick() override { Record("tick on"); }
    void StopStatusTick() override { Record("tick off"); }

  private:
    void Record(const std::string& call) {
        calls.push_back(call);
        log += call + "; ";
        if (onCall) {
            onCall(call);
        }
    }
    static void Copy(const std::string& from, Buffer& to) {
        std::snprintf(to, kTextBufferSize, "%s", from.c_str());
    }
};

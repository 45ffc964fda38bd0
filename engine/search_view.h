// The only way the search reaches the window: the dialog implements it on Windows,
// tests implement it with a recorder. Every call is synchronous.
#pragma once

#include "engine/search_model.h"

class SearchView {
  public:
    virtual ~SearchView() = default;

    // The inputs, read once at the start of a search, in this order; each buffer
    // receives at most 259 bytes and a terminating zero, the search text 259 UTF-16 units.
    virtual void ReadExtensionFilter(char (&buffer)[kTextBufferSize]) = 0;
    virtual bool ReadMatchCase() = 0;
    virtual void ReadSearchText(TypedText& text) = 0;
    virtual int FolderCount() = 0;
    virtual void ReadFolder(int row, char (&buffer)[kTextBufferSize]) = 0;

    virtual void SetStatusText(const char* text) = 0;
    virtual void SetProgressPos(int percent) = 0;
    virtual void StartMarquee() = 0;
    virtual void StopMarquee() = 0;
    // Leaves the marquee look and sets the range 0 to 100.
    virtual void SetPercentRange() = 0;

    virtual void ClearResults() = 0;
    // Appends rows first to first + count - 1 of state's result set, in order, and widens the
    // name and date columns to their widest cells so far. One call per batch: the window adds
    // them all in one go. Returns how long, in seconds, the window was kept busy with them.
    virtual double AddResultRows(const SearchState& state, std::size_t first, int count) = 0;
    virtual void EnableInputs(bool enable) = 0;

    // The 250 ms tick that sets statusDueFlag, armed only while a search runs.
    virtual void StartStatusTick() = 0;
    virtual void StopStatusTick() = 0;
};

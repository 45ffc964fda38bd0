// A SearchView that discards everything, so a benchmark times the engine alone.
#pragma once

#include "engine/search_view.h"

class NullView : public SearchView {
  public:
    void ReadExtensionFilter(char (&buffer)[kTextBufferSize]) override { buffer[0] = '\0'; }
    bool ReadMatchCase() override { return true; }
    void ReadSearchText(TypedText& text) override { text = {}; }
    int FolderCount() override { return 0; }
    void ReadFolder(int, char (&buffer)[kTextBufferSize]) override { buffer[0] = '\0'; }
    void SetStatusText(const char*) override {}
    void SetProgressPos(int) override {}
    void StartMarquee() override {}
    void StopMarquee() override {}
    void SetPercentRange() override {}
    void ClearResults() override {}
    double AddResultRows(const SearchState&, std::size_t, int) override { return 0; }
    void EnableInputs(bool) override {}
    void StartStatusTick() override {}
    void StopStatusTick() override {}
};

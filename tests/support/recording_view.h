// A SearchView that records every call as a line of text, and lets a test act on each
// status text (to press Stop or tick the status timer at a chosen moment).
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/search_view.h"

class RecordingView : public SearchView {
  public:
    std::string extensionFilter;
    bool matchCase = false;
    std::string searchText;
    std::vector<std::string> folders;

    std::vector<std::string> calls;      // e.g. "status Building File List... 3", "pos 50"
    std::vector<const FileEntry*> rows;  // entries passed to AddResultRows
    std::function<void(const std::string&)> onStatus;
    std::function<void(const std::string&)> onCall;  // after any call is recorded

    std::vector<std::string> StatusTexts() const {
        std::vector<std::string> texts;
        for (const std::string& call : calls) {
            if (call.rfind("status ", 0) == 0) {
                texts.push_back(call.substr(7));
            }
        }
        return texts;
    }

    void ReadExtensionFilter(char (&buffer)[kTextBufferSize]) override {
        Copy(extensionFilter, buffer);
        Record("read filter");
    }
    bool ReadMatchCase() override {
        Record("read match case");
        return matchCase;
    }
    void ReadSearchText(char (&buffer)[kTextBufferSize]) override {
        Copy(searchText, buffer);
        Record("read text");
    }
    int FolderCount() override { return static_cast<int>(folders.size()); }
    void ReadFolder(int row, char (&buffer)[kTextBufferSize]) override {
        Copy(folders.at(static_cast<std::size_t>(row)), buffer);
    }
    void SetStatusText(const char* text) override {
        Record(std::string("status ") + text);
        if (onStatus) {
            onStatus(text);
        }
    }
    void SetProgressPos(int percent) override { Record("pos " + std::to_string(percent)); }
    void StartMarquee() override { Record("marquee on"); }
    void StopMarquee() override { Record("marquee off"); }
    void SetPercentRange() override { Record("range 0 100"); }
    void ClearResults() override {
        Record("clear results");
        rows.clear();
    }
    void AddResultRows(const FileEntry* first, int count) override {
        for (int i = 0; i < count; ++i) {
            Record("row " + first[i].name);
            rows.push_back(first + i);
        }
    }
    void EnableInputs(bool enable) override { Record(enable ? "inputs on" : "inputs off"); }
    void StartStatusTick() override { Record("tick on"); }
    void StopStatusTick() override { Record("tick off"); }

  private:
    void Record(const std::string& call) {
        calls.push_back(call);
        if (onCall) {
            onCall(call);
        }
    }

    static void Copy(const std::string& from, char (&to)[kTextBufferSize]) {
        const std::size_t n = from.size() < kTextBufferSize - 1 ? from.size() : kTextBufferSize - 1;
        std::memcpy(to, from.data(), n);
        to[n] = '\0';
    }
};

// Found files as rows of the results list: icon and name, local date, size, full path. The
// list is virtual: row i shows entry i of the result set, and the dialog keeps what each row
// needs besides its entry. The worker prepares a batch of rows, the dialog thread adds it.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "controls/list_ctrl_ex.h"
#include "engine/search_model.h"

// What a row needs besides its entry, worked out on the worker.
struct PreparedRow {
    int icon = 0;
    std::string date;
    std::string size;
};

class ResultColumnFit;

// One batch of consecutive result-set entries; the worker owns it while the dialog thread
// adds it.
struct ResultRowBatch {
    const FileEntry* first = nullptr;
    std::vector<PreparedRow> rows;
    ResultColumnFit* fit = nullptr;
};

// Keeps the name and date columns exactly as wide as a full fit of every row so far while
// measuring only each batch's new cells. One per search, used on the dialog thread.
class ResultColumnFit {
  public:
    void Widen(ListCtrlEx& list, const ResultRowBatch& batch);

  private:
    bool calibrated_ = false;
    int margin_[2] = {};  // what a full fit adds to a cell's text width
    int width_[2] = {};
    int dpi_ = 0;  // the list's DPI when they were taken
};

// The small icon of a file by its name alone, as the shell gives it. The shell decides it by
// the extension, so each extension is asked once: under Wine one question costs a fifth of a
// millisecond. One per search, used on the worker.
class FileIconCache {
  public:
    int IconOf(const std::string& name);

  private:
    std::unordered_map<std::wstring, int> byExtension_;
};

// On the worker: the icons and texts of count entries from first, for the columns kept by fit.
ResultRowBatch PrepareResultRows(const FileEntry* first, int count, ResultColumnFit& fit,
                                 FileIconCache& icons);

// On the dialog thread: appends the batch's rows to shown, raises the list's row count to
// match, widens the name and date columns, then lets the list redraw once.
void AddResultRows(ListCtrlEx& list, const ResultRowBatch& batch, std::vector<PreparedRow>& shown);

// On the dialog thread: answers the list's request for a row's icon or a cell's text, copying
// the text into the list's buffer, cut at a whole character.
void FillResultCell(NMLVDISPINFOW& request, const FileList& results,
                    const std::vector<PreparedRow>& shown);

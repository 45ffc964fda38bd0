// Found files as rows of the results list: icon and name, local date, size, full path; each
// row's parameter is the entry's address in the result set. The worker prepares a batch of
// rows, the dialog thread adds it in one go.
#pragma once

#include <string>
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

// On the worker: the icons and texts of count entries from first, for the columns kept by fit.
ResultRowBatch PrepareResultRows(const FileEntry* first, int count, ResultColumnFit& fit);

// On the dialog thread: appends the batch's rows with redrawing off, widens the name and
// date columns, then lets the list redraw once.
void AddResultRows(ListCtrlEx& list, const ResultRowBatch& batch);

// Appends one found file as a row of the results list: icon and name, local date, size,
// full path; the row's parameter is the entry's address in the result set.
#pragma once

#include "controls/list_ctrl_ex.h"
#include "engine/search_model.h"

// The name and date columns are not re-fitted here: see FitResultColumnWidths.
int AddResultRow(ListCtrlEx& list, const FileEntry& entry);

// Fits the name and date columns to their widest cells; the other two keep their widths.
void FitResultColumnWidths(ListCtrlEx& list);

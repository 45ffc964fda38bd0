// Puts the result set in order of modification time, newest first, in place.
#pragma once

#include "engine/search_model.h"
#include "engine/search_view.h"

// Orders resultSet[first, last) as an exchange sort would: each pivot in turn is compared with
// every later record and swapped with any newer one, so records of equal time end in the
// order those exchanges leave (a@2, b@2, c@3 become c, b, a). That order is worked out in
// n log n steps. Between steps it tests stopFlag, a stop leaving the records in the order
// found, and writes "Sorting Results... %.2f" (the share of the steps done) when due.
void SortResultsByDate(int first, int last, SearchState& state, SearchView& view);

// Puts the result set in order of modification time, newest first, in place.
#pragma once

#include "engine/search_model.h"
#include "engine/search_view.h"

// Orders resultSet[first, last) with an exchange sort: each pivot in turn is compared with
// every later record and swapped with any newer one, so records of equal time end in the
// order those exchanges leave (a@2, b@2, c@3 become c, b, a). Quadratic by design; it
// tests stopFlag before every comparison and writes "Sorting Results... %.2f" when due.
void SortResultsByDate(int first, int last, SearchState& state, SearchView& view);

// Starts the search worker from the dialog thread; at most one runs at a time.
#pragma once

// Closes the last worker's handle and starts a new worker. A Start pressed while the last
// worker is still ending (it gives the inputs back just before it ends) is kept: the
// start-retry timer starts the search once that worker has ended.
void StartSearch();
// The start-retry timer's tick.
void OnStartRetryTimer();
// Forgets a kept Start: the dialog is closing.
void CancelKeptStart();

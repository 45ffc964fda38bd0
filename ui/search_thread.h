// Starts the search worker from the dialog thread; at most one runs at a time.
#pragma once

// Does nothing while a search runs; otherwise closes the last worker's handle and starts
// a new worker.
void StartSearch();

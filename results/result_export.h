// The found files as a file of their own: CSV for spreadsheets, or their full paths one to a
// line. Both are UTF-8 with a byte-order mark and CRLF line ends, whatever the platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One row as the results list shows it; texts in UTF-8 (WTF-8 for names not valid UTF-16).
struct ExportRow {
    std::string_view name;
    std::string_view date;
    std::string_view size;
    std::int64_t bytes = 0;
    std::string_view fullPath;
};

// The file's start: the byte-order mark, then for CSV the header line.
std::string ExportStart(bool csv);

// Appends one row's line. CSV quotes a field holding a comma, a quote, CR or LF as RFC 4180
// says, and puts an apostrophe before a field starting with = + - or @, inside quotes, so that
// spreadsheets show it as text and never run it. Each lone surrogate half becomes U+FFFD.
void AppendExportRow(std::string& out, const ExportRow& row, bool csv);

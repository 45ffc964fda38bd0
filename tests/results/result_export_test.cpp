#include "results/result_export.h"

#include <gtest/gtest.h>

#include <utility>

// Quotes where RFC 4180 asks, an apostrophe before what a spreadsheet would run, U+FFFD for a
// lone surrogate half (WTF-8's ED A0..BF), and CRLF line ends.
TEST(ResultExport, CsvQuotesWhatItMustAndNeverLetsAFieldRun) {
    const std::pair<std::string, std::string> names[] = {
        {"a, b.txt", "\"a, b.txt\""},
        {"say \"hi\".txt", "\"say \"\"hi\"\".txt\""},
        {"line\r\nbreak", "\"line\r\nbreak\""},
        {"+a", "\"'+a\""},
        {"-notes", "\"'-notes\""},
        {"@x,y", "\"'@x,y\""},
        {"a=b-c", "a=b-c"},
        {"lone \xED\xA0\x80 half \xED\xBF\xBF.txt", "lone \xEF\xBF\xBD half \xEF\xBF\xBD.txt"},
        {"lone \xED\xB0\x80\xED\xA0\x80", "lone \xEF\xBF\xBD\xEF\xBF\xBD"}};
    for (const auto& [text, field] : names) {  // as the name and as the full path
        std::string out;
        AppendExportRow(out, {text, "01/02/2024  03:04", "1.50 KB", 1536, text}, true);
        EXPECT_EQ(out, field + ",01/02/2024  03:04,1.50 KB,1536," + field + "\r\n");
    }
}

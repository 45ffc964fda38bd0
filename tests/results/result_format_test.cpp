#include "results/result_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>

#include "tests/support/temp_tree.h"

TEST(FileSize, UnitsSwitchAtEachPowerOf1024) {
    const std::pair<double, const char*> cases[] = {
        {1023, "1023.00"},    {1024, "1.00 KB"},       {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"}, {1073741824, "1.00 GB"}, {5497558138880, "5120.00 GB"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(FormatFileSize(bytes), text) << bytes;
    }
}

// CTest runs this once per zone, with TZ set before the process starts.
TEST(FileDate, LocalTimeOnBothSidesOfTheDaylightSavingChange) {
    const char* zone = std::getenv("SCOURWELL_TEST_ZONE");
    if (zone == nullptr) {
        GTEST_SKIP() << "run through CTest, which sets the time zone";
    }
    // Zone, UTC time, local text.
    const std::tuple<std::string, int, int, int, int, int, const char*> cases[] = {
        // +1 in winter, +2 from 2024-03-31 01:00 UTC.
        {"Europe/Berlin", 2024, 3, 31, 0, 59, "03/31/2024  01:59"},
        {"Europe/Berlin", 2024, 3, 31, 1, 0, "03/31/2024  03:00"},
        // -5 in winter, -4 from 2024-03-10 07:00 UTC.
        {"America/New_York", 2024, 3, 10, 6, 59, "03/10/2024  01:59"},
        {"America/New_York", 2024, 3, 10, 7, 0, "03/10/2024  03:00"}};
    int checked = 0;
    for (const auto& [caseZone, year, month, day, hour, minute, text] : cases) {
        if (caseZone == zone) {
            ++checked;
            EXPECT_EQ(FormatFileDate(FileTimeFromUtc(year, month, day, hour, minute)), text);
        }
    }
    EXPECT_EQ(checked, 2) << "no cases for " << zone;
}

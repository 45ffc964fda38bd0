#include "results/result_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_tree.h"

TEST(FileSize, UnitsSwitchAtEachPowerOf1024) {
    const struct {
        double bytes;
        const char* text;
    } cases[] = {{1023, "1023.00"},    {1024, "1.00 KB"},       {1048575, "1024.00 KB"},
                 {1048576, "1.00 MB"}, {1073741824, "1.00 GB"}, {5497558138880, "5120.00 GB"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFileSize(c.bytes), c.text) << c.bytes;
    }
}

// CTest runs this once per zone, with TZ set before the process starts.
TEST(FileDate, LocalTimeOnBothSidesOfTheDaylightSavingChange) {
    const char* zone = std::getenv("SCOURWELL_TEST_ZONE");
    if (zone == nullptr) {
        GTEST_SKIP() << "run through CTest, which sets the time zone";
    }
    const struct {
        std::string zone;
        int year, month, day, hour, minute;  // UTC
        const char* text;
    } cases[] = {// +1 in winter, +2 from 2024-03-31 01:00 UTC.
                 {"Europe/Berlin", 2024, 3, 31, 0, 59, "03/31/2024  01:59"},
                 {"Europe/Berlin", 2024, 3, 31, 1, 0, "03/31/2024  03:00"},
                 // -5 in winter, -4 from 2024-03-10 07:00 UTC.
                 {"America/New_York", 2024, 3, 10, 6, 59, "03/10/2024  01:59"},
                 {"America/New_York", 2024, 3, 10, 7, 0, "03/10/2024  03:00"}};
    int checked = 0;
    for (const auto& c : cases) {
        if (c.zone == zone) {
            ++checked;
            EXPECT_EQ(FormatFileDate(FileTimeFromUtc(c.year, c.month, c.day, c.hour, c.minute)),
                      c.text);
        }
    }
    EXPECT_EQ(checked, 2) << "no cases for " << zone;
}

#include "results/result_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
    // The minute before the change to summer time and the first after it, in local time.
    // Berlin: +1 in winter, +2 from 01:00 UTC. New York: -5 in winter, -4 from 07:00 UTC.
    const bool berlin = std::string(zone) == "Europe/Berlin";
    const int day = berlin ? 31 : 10, hour = berlin ? 1 : 7;
    const std::string date = "03/" + std::to_string(day) + "/2024  ";
    EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, day, hour - 1, 59)), date + "01:59");
    EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, day, hour, 0)), date + "03:00");
}

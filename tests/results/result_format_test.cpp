#include "results/result_format.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_tree.h"

TEST(FileSize, EveryUnitBoundary) {
    EXPECT_EQ(FormatFileSize(1), "1.00");
    EXPECT_EQ(FormatFileSize(1023), "1023.00");
    EXPECT_EQ(FormatFileSize(1024), "1.00 KB");
    EXPECT_EQ(FormatFileSize(1536), "1.50 KB");
    EXPECT_EQ(FormatFileSize(1048575), "1024.00 KB");
    EXPECT_EQ(FormatFileSize(1048576), "1.00 MB");
    EXPECT_EQ(FormatFileSize(1073741823), "1024.00 MB");
    EXPECT_EQ(FormatFileSize(1073741824), "1.00 GB");
    EXPECT_EQ(FormatFileSize(5.0 * 1099511627776.0), "5120.00 GB");
    EXPECT_EQ(FormatFileSize(123456789012.0), "114.98 GB");
}

// Run by CTest with TZ set before the process starts, once per zone.
class FileDate : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* zone = std::getenv("SCOURWELL_TEST_ZONE");
        if (zone == nullptr) {
            GTEST_SKIP() << "run through CTest, which sets the time zone";
        }
        zone_ = zone;
    }
    bool Berlin() const { return zone_ == "Europe/Berlin"; }
    std::string zone_;
};

TEST_F(FileDate, WinterAndSummerOffsetsOnBothSidesOfTheChange) {
    if (Berlin()) {
        // Central European Time, +1; summer time (+2) starts 2024-03-31 01:00 UTC.
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, 5, 13, 7)), "03/05/2024  14:07");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2023, 12, 1, 8, 5)), "12/01/2023  09:05");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, 31, 0, 59)), "03/31/2024  01:59");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, 31, 1, 0)), "03/31/2024  03:00");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 7, 15, 10, 30)), "07/15/2024  12:30");
    } else {
        // Eastern Time, -5; daylight time (-4) starts 2024-03-10 07:00 UTC.
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, 5, 19, 7)), "03/05/2024  14:07");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2023, 12, 1, 14, 5)), "12/01/2023  09:05");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, 10, 6, 59)), "03/10/2024  01:59");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 3, 10, 7, 0)), "03/10/2024  03:00");
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 7, 15, 10, 30)), "07/15/2024  06:30");
    }
}

TEST_F(FileDate, MidnightUtcFallsOnTheZonesOwnDay) {
    if (Berlin()) {
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2023, 12, 31, 23, 30)), "01/01/2024  00:30");
    } else {
        EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2024, 1, 1, 2, 30)), "12/31/2023  21:30");
    }
    // Seconds are not shown, and years print in full.
    EXPECT_EQ(FormatFileDate(FileTimeFromUtc(2099, 6, 1, 12, 0, 59)).substr(0, 10), "06/01/2099");
}

// The job date and time of GeoForce and X-PAD raw files.
#include <gtest/gtest.h>

#include "importers/gnss/xpad_date.hpp"

namespace qrb {
namespace {

struct Accepted {
    const char* text;
    LocalDateTime when;
};

TEST(XpadJobDate, AcceptedForms)
{
    const Accepted cases[] = {
        {"07/03/2021 09:05", {2021, 3, 7, 9, 5}},
        {"7/3/2021 9:05:59", {2021, 3, 7, 9, 5}},
        {"7-3-21 23:59", {2021, 3, 7, 23, 59}},
        {"7.3.2021 0:00", {2021, 3, 7, 0, 0}},
        {"29.02.00 12:00", {2000, 2, 29, 12, 0}},  // 2000 is a leap year
        {"1/1/29 1:02", {2029, 1, 1, 1, 2}},
        {"1/1/30 1:02", {1930, 1, 1, 1, 2}},
        {"2021-03-07 14:30", {2021, 3, 7, 14, 30}},
        {"2021/3/7 14:30:00", {2021, 3, 7, 14, 30}},
        {"  2021-03-07   14:30  ", {2021, 3, 7, 14, 30}},
        {"31/12/1999", {1999, 12, 31, 0, 0}},  // no time: midnight
        {" 10:30", {1899, 12, 30, 10, 30}},    // no date: day zero
    };
    for (const Accepted& c : cases) {
        const auto when = read_job_date_time(c.text);
        ASSERT_TRUE(when) << c.text;
        EXPECT_EQ(when->year, c.when.year) << c.text;
        EXPECT_EQ(when->month, c.when.month) << c.text;
        EXPECT_EQ(when->day, c.when.day) << c.text;
        EXPECT_EQ(when->hour, c.when.hour) << c.text;
        EXPECT_EQ(when->minute, c.when.minute) << c.text;
    }
}

TEST(XpadJobDate, RefusedTexts)
{
    for (const char* text : {"", " ", "marzo 2021", "7 marzo 2021", "32/01/2021", "29/02/2021", "29/02/1900",
                             "00/01/2021", "01/13/2021", "01/00/2021", "1/1/202", "1/1/2021/1", "001/1/2021",
                             "2021.03.07", "21-03-7 10:00", "2021-3", "07/03-2021", "07/03/2021 24:00",
                             "07/03/2021 10:60", "07/03/2021 10:00:60", "07/03/2021 10", "07/03/2021 10:00 x",
                             "10:00 07/03/2021", "07/03/2021T10:00", "+7/3/2021", "7/3/2021 -1:00", "1:2:3:4",
                             "0099-01-01"})
        EXPECT_FALSE(read_job_date_time(text)) << text;
}

}  // namespace
}  // namespace qrb

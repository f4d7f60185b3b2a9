#pragma once
// The job date and time of a GeoForce or X-PAD raw file, read without the
// platform's date conversion so that the result never depends on the user's
// settings.
#include <optional>
#include <string_view>

#include "book/import_context.hpp"

namespace qrb {

// Reads "date time", "date" or "time", blanks around and between:
// - a date as day/month/year with "/", "-" or "." (day and month of one or
//   two digits, year of two or four digits; 00-29 are 2000-2029, 30-99 are
//   1930-1999), or as year-month-day with "-" or "/" (four-digit year);
// - a time as hours:minutes with optional :seconds, on a 24-hour clock (the
//   seconds are dropped).
// A missing date is 30/12/1899, a missing time 00:00. A text none of these
// reads, or a day, month or hour that does not exist, gives nothing.
std::optional<LocalDateTime> read_job_date_time(std::string_view text);

}  // namespace qrb

#pragma once
// Text routines shared by the converters.
#include <string>
#include <string_view>

#include "common/short_list.hpp"

namespace qrb {

class Shell;

// Fields 1..22 of a line cut at a separator, as views into the line: the
// line must outlive them. Field 0 and fields that were not found are empty.
class Fields {
public:
    static constexpr std::size_t kMax = 22;

    // Field k (0..22); beyond 22 fails with index out of range (9).
    std::string_view operator[](std::size_t k) const;
    // How many fields were found.
    std::size_t count() const { return found_.size(); }
    // The same fields with blanks trimmed at both ends.
    Fields trimmed() const;

private:
    friend Fields split_fields(std::string_view line, std::string_view separator);
    ShortList<std::string_view, kMax> found_;  // fields 1..count()
};

// Cuts a line at `separator` (found without regard to case) into fields
// 1..22; text after the last separator is not stored. Only the separator's
// first character is dropped after each field.
Fields split_fields(std::string_view line, std::string_view separator);
// The fields would point into a temporary.
Fields split_fields(std::string&& line, std::string_view separator) = delete;

// A name trimmed, with "," replaced by ".", "|" by "\", "#" by "*" and " " by
// "_".
std::string normalize_name(std::string_view name);

// The leading-zero rule of names, on the text as given: every "0" becomes a
// blank, the leading blanks go, every remaining blank becomes "0" ("0012"
// gives "12", "1 2" gives "102", "12  " gives "1200"); only zeros and blanks
// give the empty name.
std::string leading_zero_name(std::string_view text);
// The same as a view: into `text` when no blank is left to become "0",
// otherwise into `scratch`.
std::string_view leading_zero_view(std::string_view text, std::string& scratch);

// A value formatted with a mask (its point is always "."), padded with
// blanks on the right up to `width` (0: no padding).
std::string format_padded(double value, std::string_view mask, int width);

// Opens a document, folder or link in the shell; failures are ignored.
void shell_open(Shell& shell, const std::string& target);

// A file in a folder, as "folder\name" names it.
std::string path_in(const std::string& folder, const std::string& name);

}  // namespace qrb

#pragma once
// GSI words, as every GSI converter reads them. A GSI-8 word is 16 characters
// (WI 1-2, information 3-6, sign 7, data 8-15, blank 16); a GSI-16 word is 24
// (data 8-23, blank 24) and its line opens with "*".
#include <string>
#include <string_view>

#include "common/number.hpp"
#include "common/short_list.hpp"
#include "common/tables.hpp"
#include "common/work_state.hpp"

namespace qrb::gsi {

// Columns (1-based) of word k (from 1) on a line.
constexpr long long gsi8_sign_column(int k) { return 16LL * (k - 1) + 7; }
constexpr long long gsi8_data_column(int k) { return 16LL * (k - 1) + 8; }
constexpr long long gsi16_word_column(int k) { return 24LL * (k - 1) + 2; }
constexpr long long gsi16_data_column(int k) { return 24LL * (k - 1) + 9; }

// The data characters of word k at its fixed columns (what exists of them).
std::string gsi8_data(std::string_view line, int k);
std::string gsi16_data(std::string_view line, int k);

// The leading-zero rule of names: trimmed, zeros become blanks, leading
// blanks go, the other blanks become zeros again. Empty when nothing is
// left: the caller puts its default name in its place.
std::string clean_name(std::string_view data);
// The same as a view into `data` or, when blanks became zeros, `scratch`.
std::string_view clean_name(std::string_view data, std::string& scratch);

// The value of a data text to the nearest whole number (halves to even),
// written without blanks; empty when that is 0.
std::string nonzero_whole(std::string_view data);

// The code-word rule: a data text whose value, to the nearest whole number
// (halves to even), is not 0 gives that number; otherwise its zeros become
// blanks, the ends are trimmed, and an empty result gives "NN".
std::string code_word(std::string_view data);

// Names and codes of the fixed-column formats: a data text whose value, to
// the nearest whole number (halves to even), is not 0 gives that number
// ("00012AB3" gives 12); otherwise the leading-zero rule, empty when nothing
// is left.
std::string number_or_name(std::string_view data);

// The number of a word's text held in single precision, then divided, as the
// station table keeps it. A value beyond single precision fails (6).
float single_value(std::string_view text, double divisor = 1);
// The number of a word's text divided in double precision; only the quotient
// is held in single precision. A data field above 2^24 keeps its last digit.
using qrb::quotient_value;
// quotient_value of the 8 data characters from `column` of a GSI-8 line.
float quotient_at(std::string_view line, long long column, double divisor);

// When a converter holds a scaled field in single precision: as soon as it is
// read (single_value) or only once it is divided (quotient_value).
enum class HeldSingle { AsRead, Quotient };

// A GSI-8 measurement line read at fixed columns: the target name of word 1
// (when it leaves nothing, of the last 8 characters of the line, which may
// leave an empty name), Hz of word 2 and V of word 3 divided by 100000, the
// distance of word 4 divided by 1000 (each held in single precision as `held`
// says), the target height of word 6 as written (data only, or sign and
// data), and the code of the last 8 characters by number_or_name ("NN" when
// nothing is left).
Reading gsi8_fixed_reading(std::string_view line, bool signed_target_height, HeldSingle held);

// A value copied digit for digit from the data field at `column` of a line,
// as the recorders that write fixed decimals are read: the whole part is the
// value of the first `whole_digits` characters written as a number ("0" when
// they hold none; a "-" among them is kept, also before a whole part of 0),
// then "." and the `decimals` characters after them as they stand (trimmed
// when `trim_decimals`). A field cut short by the end of the line gives the
// characters it has; with no decimal character left the text is the whole
// part alone.
std::string copied_decimal(std::string_view line, long long column, int whole_digits, int decimals,
                           bool trim_decimals = false);

// One word found by its index: the WI (first two characters of the field),
// the value from position 7 (sign and data) and from position 8 (data).
struct Word {
    std::string_view wi;
    std::string_view from7;
    std::string_view from8;
};

// At most fifteen words of one line.
using Words = ShortList<Word, 15>;

// Words by index: the line is cut at blanks, its end closing the last field;
// of fields 1 to 15, those of more than two characters are words. The views
// point into the line.
Words words_by_index(std::string_view line);
// The words would point into a temporary.
Words words_by_index(std::string&& line) = delete;

}  // namespace qrb::gsi

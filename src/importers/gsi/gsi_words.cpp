#include "importers/gsi/gsi_words.hpp"

#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb::gsi {

std::string gsi8_data(std::string_view line, int k) { return mid(line, gsi8_data_column(k), 8); }
std::string gsi16_data(std::string_view line, int k) { return mid(line, gsi16_data_column(k), 16); }

std::string clean_name(std::string_view data) { return leading_zero_name(trim_view(data)); }
std::string_view clean_name(std::string_view data, std::string& scratch)
{
    return leading_zero_view(trim_view(data), scratch);
}

std::string nonzero_whole(std::string_view data)
{
    // A value too long for a 32-bit number keeps its rounded value rather
    // than ending the conversion.
    const double whole = round_half_even(val(data));
    return whole != 0 ? num_double(whole) : std::string();
}

std::string code_word(std::string_view data)
{
    std::string whole = nonzero_whole(data);
    if (!whole.empty()) return whole;
    std::string code(data);
    for (auto& c : code)
        if (c == '0') c = ' ';
    code = trim(code);
    return code.empty() ? "NN" : code;
}

std::string number_or_name(std::string_view data)
{
    if (std::string whole = nonzero_whole(data); !whole.empty()) return whole;
    return clean_name(data);
}

float single_value(std::string_view text, double divisor)
{
    return to_single(static_cast<double>(single_val(text)) / divisor);
}

float quotient_at(std::string_view line, long long column, double divisor)
{
    return quotient_value(mid(line, column, 8), divisor);
}

Reading gsi8_fixed_reading(std::string_view line, bool signed_target_height, HeldSingle held)
{
    const auto scaled = held == HeldSingle::AsRead ? single_value : quotient_value;
    Reading r;
    const std::string last_word = right(line, 8);
    r.target = clean_name(gsi8_data(line, 1));
    if (r.target.empty()) r.target = clean_name(last_word);
    r.hz = scaled(gsi8_data(line, 2), 100000);
    r.v = scaled(gsi8_data(line, 3), 100000);
    r.dist = scaled(gsi8_data(line, 4), 1000);
    r.target_height = single_value(signed_target_height ? mid(line, gsi8_sign_column(6), 9) : gsi8_data(line, 6));
    r.code = number_or_name(trim(last_word));
    if (r.code.empty()) r.code = "NN";
    return r;
}

std::string copied_decimal(std::string_view line, long long column, int whole_digits, int decimals,
                           bool trim_decimals)
{
    const std::string whole_chars = mid(line, column, whole_digits);
    std::string decimal_chars = mid(line, column + whole_digits, decimals);
    if (trim_decimals) decimal_chars = trim(decimal_chars);
    const double whole = val(whole_chars);
    std::string text = whole == 0 && starts_with(ltrim(whole_chars), "-") ? "-0" : num_double(whole);
    if (!decimal_chars.empty()) text += "." + decimal_chars;
    return text;
}

Words words_by_index(std::string_view line)
{
    Words words;
    std::string_view rest = line;
    for (int k = 1; k <= 15; ++k) {
        const std::size_t blank = rest.find(' ');
        const std::string_view f = rest.substr(0, blank);
        if (f.size() > 2)
            words.push_back({f.substr(0, 2), f.size() > 6 ? f.substr(6) : std::string_view(),
                             f.size() > 7 ? f.substr(7) : std::string_view()});
        if (blank == std::string_view::npos) break;
        rest.remove_prefix(blank + 1);
    }
    return words;
}

}  // namespace qrb::gsi

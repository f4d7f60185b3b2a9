#include "importers/gsi/gsi_words.hpp"

#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb::gsi {

std::string gsi8_data(std::string_view line, int k) { return mid(line, gsi8_data_column(k), 8); }
std::string gsi16_data(std::string_view line, int k) { return mid(line, gsi16_data_column(k), 16); }

std::string clean_name(std::string_view data)
{
    std::string name = trim(data);
    for (auto& c : name)
        if (c == '0') c = ' ';
    name = ltrim(name);
    for (auto& c : name)
        if (c == ' ') c = '0';
    return name;
}

namespace {

// The value of a data text to the nearest whole number, written without
// blank; empty when it is 0. A code too long for a 32-bit number keeps its
// rounded value rather than ending the conversion.
std::string whole_number(std::string_view data)
{
    const double whole = round_half_even(val(data));
    return whole != 0 ? num_double(whole) : std::string();
}

}  // namespace

std::string code_word(std::string_view data)
{
    if (std::string whole = whole_number(data); !whole.empty()) return whole;
    std::string code(data);
    for (auto& c : code)
        if (c == '0') c = ' ';
    code = trim(code);
    return code.empty() ? "NN" : code;
}

std::string number_or_name(std::string_view data)
{
    if (std::string whole = whole_number(data); !whole.empty()) return whole;
    return clean_name(data);
}

float single_value(std::string_view text, double divisor)
{
    return to_single(static_cast<double>(to_single(val(text))) / divisor);
}

Reading gsi8_fixed_reading(std::string_view line, bool signed_target_height)
{
    Reading r;
    const std::string last_word = right(line, 8);
    r.target = clean_name(gsi8_data(line, 1));
    if (r.target.empty()) r.target = clean_name(last_word);
    r.hz = single_value(gsi8_data(line, 2), 100000);
    r.v = single_value(gsi8_data(line, 3), 100000);
    r.dist = single_value(gsi8_data(line, 4), 1000);
    r.target_height = single_value(signed_target_height ? mid(line, gsi8_sign_column(6), 9) : gsi8_data(line, 6));
    r.code = number_or_name(trim(last_word));
    if (r.code.empty()) r.code = "NN";
    return r;
}

Words words_by_index(WorkState& state, std::string_view line)
{
    state.work_line.assign(line);
    state.work_line += ' ';
    split_fields(state, " ");
    Words words;
    for (std::size_t k = 1; k <= 15; ++k) {
        const std::string& field = state.line_fields[k];
        if (field.size() <= 2) continue;
        const std::string_view f(field);
        words.push_back({f.substr(0, 2), f.size() > 6 ? f.substr(6) : std::string_view(),
                         f.size() > 7 ? f.substr(7) : std::string_view()});
    }
    return words;
}

}  // namespace qrb::gsi

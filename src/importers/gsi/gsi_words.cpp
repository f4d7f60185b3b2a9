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

std::string code_word(std::string_view data)
{
    // A code too long for a 32-bit number keeps its rounded value rather
    // than ending the conversion.
    const double whole = round_half_even(val(data));
    if (whole != 0) return num_double(whole);
    std::string code(data);
    for (auto& c : code)
        if (c == '0') c = ' ';
    code = trim(code);
    return code.empty() ? "NN" : code;
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

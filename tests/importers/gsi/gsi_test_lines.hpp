#pragma once
// GSI lines, book parts and boxes for the tests of the GSI converters.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/book_parts.hpp"
#include "support/harness.hpp"

namespace qrb::test {

// One GSI-8 word: WI, four information characters, sign, eight data
// characters and the separating blank.
inline std::string w8(std::string_view wi, std::string_view data, char sign = '+', std::string_view info = "....")
{
    std::string word(wi);
    word += info;
    word += sign;
    word += data;
    word += ' ';
    return word;
}

// A GSI-8 word whose data is padded with zeros on the left to eight
// characters, with the information "..10".
inline std::string word8(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(8 - data.size(), '0') + data + " ";
}

// The same as a GSI-16 word (sixteen data characters); a GSI-16 line opens
// with "*".
inline std::string word16(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(16 - data.size(), '0') + data + " ";
}

// A line of words.
inline std::string gsi8(const std::vector<std::string>& words)
{
    std::string line;
    for (const auto& w : words) line += w;
    return line;
}

// A code block: "41" and its data, then words 42, 43, ... with the given data.
inline std::string block(std::string_view data41, const std::vector<std::string>& data = {})
{
    std::vector<std::string> words{w8("41", data41, '+', "0001")};
    int wi = 42;
    for (const auto& d : data) words.push_back(w8(std::to_string(wi++), d));
    return gsi8(words);
}

// A measurement: point, then Hz, V and slope distance.
inline std::string measurement(std::string_view point, std::string_view hz, std::string_view v, std::string_view dist)
{
    return gsi8({w8("11", point, '+', "0001"), w8("21", hz, '+', ".102"), w8("22", v, '+', ".102"),
                 w8("31", dist, '+', "..00")});
}

}  // namespace qrb::test

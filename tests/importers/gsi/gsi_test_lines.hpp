#pragma once
// GSI lines for the C++ tests of the GSI converters (their books are golden
// cases).
#include <string>
#include <string_view>
#include <vector>

#include "support/book_parts.hpp"
#include "support/harness.hpp"

namespace qrb::test {

// A GSI-8 word whose data is padded with zeros on the left to eight
// characters, with the information "..10".
inline std::string word8(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(8 - data.size(), '0') + data + " ";
}

// A code block: "41" and its data, then words 42, 43, ... with the given data.
inline std::string block(std::string_view data41, const std::vector<std::string>& data = {})
{
    std::string line = "410001+" + std::string(data41) + " ";
    int wi = 42;
    for (const auto& d : data) line += std::to_string(wi++) + "....+" + d + " ";
    return line;
}

}  // namespace qrb::test

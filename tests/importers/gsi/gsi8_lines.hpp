#pragma once
// GSI-8 lines for the tests of the fixed-column converters.
#include <string>
#include <string_view>
#include <vector>

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

// The five header tags of a book.
inline std::string book_header(const std::string& title, const std::string& note, const std::string& type)
{
    return crlf({"#titolo#", title, "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT", "#note#", note});
}

inline const std::string kNoticeBox =
    "box|info|Importazione file strumentale|Il file dello strumento verrà salvato in un file dati in formato Quarel "
    "(libretto QRB)|ok";

inline const std::string kTrailerLines = "#origine#\r\n0|0|0|\r\n";

}  // namespace qrb::test

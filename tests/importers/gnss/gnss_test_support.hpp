#pragma once
// Helpers for the GNSS converters' tests.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace qrb::test {

using Lines = std::vector<std::string>;

// The last two lines of every complete book.
inline const Lines kTrailer{"#origine#", "0|0|0|"};

// A fixed-column record: each text placed at its 1-based column, blanks in
// between; the line ends with the last text.
inline std::string columns(std::initializer_list<std::pair<std::size_t, std::string>> fields)
{
    std::string line;
    for (const auto& [column, text] : fields) {
        const std::size_t at = column - 1;
        if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
        line.replace(at, text.size(), text);
    }
    return line;
}

// The notice before the Save dialog, shown outside command-line mode.
inline const std::string kNoticeBox =
    "box|info|Importazione file strumentale|Il file dello strumento verrà salvato in un file dati in formato "
    "Quarel (libretto QRB)|ok";

// The fixed value lines 7 to 14 of a "#stazione_gps#" block.
inline Lines block_tail(const std::string& date, const std::string& time)
{
    return {"RTK", "L2", "PDOP", "3", date, time, date, time};
}

inline Lines operator+(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace qrb::test

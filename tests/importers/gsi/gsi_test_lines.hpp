#pragma once
// GSI words, book parts and boxes that the GSI converter tests share.
#include <string>
#include <vector>

#include "support/harness.hpp"

namespace qrb::test {

// A GSI-8 word: WI, four information characters, sign, eight data characters
// (zeros added on the left), blank.
inline std::string w8(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(8 - data.size(), '0') + data + " ";
}

// A GSI-16 word (sixteen data characters); a GSI-16 line opens with "*".
inline std::string w16(const std::string& wi, const std::string& data, char sign = '+')
{
    return wi + "..10" + sign + std::string(16 - data.size(), '0') + data + " ";
}

// The five header tags with their values.
inline std::string book_header(const std::string& title, const std::string& type, const std::string& note)
{
    return crlf({"#titolo#", title, "#loc#", "Nessuna", "#tipo#", type, "#angoli#", "CENT", "#note#", note});
}

inline const std::string kTrailer = crlf({"#origine#", "0|0|0|"});

// The notice before the Save dialog (outside command-line mode).
inline const std::string kSaveNotice =
    "box|info|Importazione file strumentale|Il file dello strumento verrà salvato in un file dati in formato Quarel "
    "(libretto QRB)|ok";

// A box line answered with OK.
inline std::string ok_box(const std::string& icon, const std::string& title, const std::string& text)
{
    return "box|" + icon + "|" + title + "|" + text + "|ok";
}

}  // namespace qrb::test

#pragma once
// Checks that several GSI converters make while reading, with their boxes.
#include <string>
#include <string_view>

#include "book/converter.hpp"

namespace qrb::gsi {

// The station name, or `fallback` after the warning "Il file contiene un nome
// stazione non valido!" (titled `title`) when the name is empty. The
// conversion goes on.
std::string station_name_or(Conversion& c, std::string name, std::string_view fallback, const std::string& title);

// A measurement before any station: the critical box "Errore sul file" naming
// the format, then the conversion ends at once with nothing written.
[[noreturn]] void stop_without_station(Conversion& c, std::string_view format_name);

}  // namespace qrb::gsi

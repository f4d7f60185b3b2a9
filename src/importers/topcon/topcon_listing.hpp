#pragma once
// What the Topcon GTS 212 and GTS 3B converters share: the book's header is
// written before the body is read (its title comes from the file's first
// lines), stations and readings are collected and written at the end, a
// station without readings is written as a bare block, and every failure is
// reported as "Errore <code> , <description>".
#include <string_view>

#include "book/frames.hpp"

namespace qrb::topcon {

struct ListingTexts {
    const char* default_title;  // "#titolo#" when the file names no job
    const char* note;           // "#note#"
    const char* box_title;      // the nothing-found and success boxes
};

// The frame of a listing converter: the read step writes the header itself.
CollectThenWrite listing_frame(const ImportOptions& options, const ListingTexts& texts);

// The ten header lines, with the title taken from the file (survey-book text).
void write_listing_header(Conversion& c, std::string_view title, const ListingTexts& texts);

// True when the line begins with `leader`, compared without regard to case.
bool led_by(std::string_view line, std::string_view leader);

// A new station that is written even when it gets no reading.
StationRecord& add_listing_station(StationTable& stations, std::string name, float height, std::string note);

}  // namespace qrb::topcon

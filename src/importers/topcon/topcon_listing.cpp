#include "importers/topcon/topcon_listing.hpp"

#include "book/survey_book.hpp"
#include "common/text.hpp"

namespace qrb::topcon {

namespace {

constexpr std::string_view kLocality = "Località sconosciuta";

}  // namespace

CollectThenWrite listing_frame(const ImportOptions& options, const ListingTexts& texts)
{
    CollectThenWrite frame(options, FailurePolicy::older({}, texts.box_title), {}, {});
    frame.spec.nothing_found_title = texts.box_title;
    frame.spec.keep_header = true;
    frame.book.empty_station = StationTableOptions::EmptyStation::BareBlock;
    frame.stations_finished_on_add = true;
    return frame;
}

void write_listing_header(Conversion& c, std::string_view title, const ListingTexts& texts)
{
    write_header(c.out, title, book_text(kLocality), survey_type_text(survey_type_iz_else_od(c.options)),
                 book_text(texts.note));
}

bool led_by(std::string_view line, std::string_view leader)
{
    return ucase(left(line, static_cast<long long>(leader.size()))) == leader;
}

StationRecord& add_listing_station(StationTable& stations, std::string name, float height, std::string note)
{
    StationRecord& station = stations.add(std::move(name), height, std::move(note));
    station.size_readings();
    return station;
}

}  // namespace qrb::topcon

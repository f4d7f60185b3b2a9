// Survey Controller job file (.dc), older record layout: total-station
// set-ups and GNSS bases with polar vectors (length, zenith, azimuth). The
// GNSS records: "15" base, "13" base position, "57" antenna height, "66"
// vector; names of bases and vector points are whole numbers (32 bits).
#include "book/gnss.hpp"
#include "importers/gnss/gnss_records.hpp"
#include "importers/gnss/trimble_dc.hpp"

namespace qrb {

namespace {

constexpr gnss_records::Rules kGnss{
    "15", "13", "57", "66", gnss_records::NameWidth::Bits32, trimble_dc::kTitle, gnss_records::VectorForm::Polar,
    "Il file Trimble dc contiene una stazione GPS senza nessuna lettura. Verrà ignorata nell'importazione"};

}  // namespace

void imp_dc(ImportContext& ctx, const std::string& input_path)
{
    trimble_dc::TotalStationRecords total_station;
    gnss_records::Reader gnss_reader(kGnss);
    CollectThenWrite frame =
        trimble_dc::frame(ctx.options, FailurePolicy::standard("Trimble", trimble_dc::kTitle), total_station);
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    frame.book.write_gnss_bases = gnss_bases_writer(gnss_records::book_options(kGnss));
    frame.run(ctx, input_path, [&](Conversion& c) {
        total_station.read(c, [&](const std::string& code, const std::string& line) {
            gnss_reader.read(c, code, line);
        });
    });
}

}  // namespace qrb

// Leica TCR 1101, modified layout: GSI-8 lines read at fixed columns, opened
// by a WI 11 word; a station when the second word is 84 (instrument height in
// word 5), a measurement when it is 21. Collected, then written.
#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Leica TCR";
constexpr const char* kBookTitle = "Importazione file Leica TCR";

void read_tcr1101(Conversion& c, const StationTableOptions& book)
{
    StationTable& stations = c.state.station_table;
    std::string_view raw;
    while (c.in.next_line(raw)) {
        const std::string_view line = trim_view(raw);
        if (!line.starts_with("11")) continue;  // GSI-16 lines open with "*"
        const std::string_view kind = mid_view(line, 17, 2);
        if (kind == "84") {
            StationRecord& station =
                stations.add(gsi::station_name_or(c, gsi::clean_name(gsi::gsi8_data(line, 1)), "s_non_valida", kTitle));
            station.height = gsi::single_value(gsi::gsi8_data(line, 5), 1000);
            station.note = "Stazione";
        } else if (kind == "21") {
            // A measurement has no station to go to before the first one.
            if (stations.empty()) fail(kInvalidArgument);
            // A reading is complete with its line: it goes to its book line at once.
            finish_reading(stations.back(), gsi::gsi8_fixed_reading(line, true, gsi::HeldSingle::AsRead).view(), book,
                           c.options.op_note);
        }
    }
}

}  // namespace

void imp_tcr1101(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("TCR", kTitle), kBookTitle,
                           "File formato Leica TCR 1101 (modificato)");
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&frame](Conversion& c) { read_tcr1101(c, frame.book); });
}

}  // namespace qrb

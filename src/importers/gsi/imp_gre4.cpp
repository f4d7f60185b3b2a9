// Leica (Wild) Gre(4), modified layout: GSI-8 lines read at fixed columns,
// "01" a station (its name from column 8 to the end), "11" a measurement
// whose instrument height decides the station's. Collected, then written.
#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Leica GRE 4";
constexpr const char* kBookTitle = "Importazione file Leica GRE 4";

void read_gre4(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        line = trim(line);
        const std::string kind = left(line, 2);
        if (kind == "01") {
            stations.add(gsi::station_name_or(c, gsi::clean_name(mid(line, 8)), "s_non_valida", kTitle), 0, "Stazione");
        } else if (kind == "11") {
            // A measurement has no station to go to before the first one.
            if (stations.empty()) fail(kInvalidArgument);
            StationRecord& station = stations.back();
            station.add_reading() = gsi::gsi8_fixed_reading(line, false, gsi::HeldSingle::Quotient);
            // The instrument height as written: the last measurement decides.
            station.height = gsi::single_value(gsi::gsi8_data(line, 5));
        }
    }
}

}  // namespace

void imp_gre4(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("Leica GRE 4", kTitle), kBookTitle,
                           "File formato Leica GRE 4 (modificato)");
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_gre4, [](ImportContext& context, LineReader&) {
        context.ui.message_box("Il file Leica GRE 4 verrà salvato in un file dati in formato Quarel.", kBookTitle,
                               Icon::Information);
    });
}

}  // namespace qrb

// Leica LW300 and TOPOPRG (TCR stations), GSI-16 read at fixed columns: lines
// opened by "*11", a station when the second word is 84, a measurement when
// it is 21. The station note and the reading code come from the last 16
// characters of the line, whatever word stands there. Collected, then written.
#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Leica TCR";
constexpr const char* kBookTitle = "Importazione file Leica TCR";

// The last nine data characters of word 1: station and target names.
constexpr Column kName{gsi::gsi16_data_column(1) + 7, 9};
// The codes of word 2 (84 a station, 21 a measurement) and of word 6.
constexpr Column kKind{gsi::gsi16_word_column(2), 2};
constexpr Column kWord6{gsi::gsi16_word_column(6), 2};

std::string point_name(const std::string& line) { return gsi::number_or_name(column_trimmed(line, kName)); }

void read_station(Conversion& c, const std::string& line)
{
    StationRecord& station =
        c.state.station_table.add(gsi::station_name_or(c, point_name(line), "s_non_valida", "Importa file Leica GSI"));
    const std::string last_word = right(line, 16);
    if (column_view(line, kWord6) == "88") {
        station.height = gsi::single_value(last_word, 1000);
        station.note = "Stazione";
    } else {
        station.height = gsi::single_value(gsi::gsi16_data(line, 5), 1000);
        // The whole number with the blank before a value that is not negative.
        station.note = str_double(round_half_even(val(trim(last_word))));
    }
}

void read_measurement(Conversion& c, const std::string& line)
{
    // A measurement has no station to go to before the first one.
    if (c.state.station_table.empty()) fail(kInvalidArgument);
    Reading& r = c.state.station_table.back().add_reading();
    r.target = point_name(line);
    if (r.target.empty()) r.target = "non_valido";
    r.hz = gsi::single_value(gsi::gsi16_data(line, 2), 100000);
    r.v = gsi::single_value(gsi::gsi16_data(line, 3), 100000);
    r.dist = gsi::single_value(gsi::gsi16_data(line, 4), 1000);
    r.target_height = gsi::single_value(gsi::gsi16_data(line, 5), 1000);
    r.code = gsi::code_word(trim(right(line, 16)));
}

void read_lw300(Conversion& c)
{
    std::string line;
    while (c.in.next_line(line)) {
        if (left(line, 3) != "*11") continue;
        const std::string_view kind = column_view(line, kKind);
        if (kind == "84")
            read_station(c, line);
        else if (kind == "21")
            read_measurement(c, line);
    }
}

}  // namespace

void imp_lw300(ImportContext& ctx, const std::string& input_path)
{
    const CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("GSI", kTitle), kBookTitle,
                                 "File formato Leica LW300 (Stazioni TCR 30x, TCR 70x e TCR 110x)");
    frame.run(ctx, input_path, read_lw300);
}

}  // namespace qrb

// Leica TCR 30x, 70x and 110x, GSI-8: lines opened by a WI 11 word, a station
// when the second word is 84, a measurement when it is 21; words found by
// their index. Stations and readings only, collected, then written.
#include "book/frames.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Leica TCR";
constexpr const char* kBookTitle = "Importazione file Leica TCR";

void read_station(Conversion& c, std::string_view line)
{
    StationRecord& station = c.state.station_table.add(
        gsi::station_name_or(c, gsi::clean_name(gsi::gsi8_data(line, 1)), "nome_non_valido", kTitle));
    for (const gsi::Word& w : gsi::words_by_index(line)) {
        if (w.wi == "71")
            station.note = gsi::code_word(w.from8);
        else if (w.wi == "88")
            station.height = gsi::single_value(w.from8, 1000);
    }
}

// A reading is complete with its line: it goes to its book line at once.
void read_measurement(Conversion& c, std::string_view line, const StationTableOptions& book)
{
    if (c.state.station_table.empty()) gsi::stop_without_station(c, "TCR");
    Reading r;
    r.target = gsi::clean_name(gsi::gsi8_data(line, 1));
    if (r.target.empty()) r.target = "non_valido";
    for (const gsi::Word& w : gsi::words_by_index(line)) {
        if (w.wi == "21")
            r.hz = gsi::single_value(w.from8, 100000);
        else if (w.wi == "22")
            r.v = gsi::single_value(w.from8, 100000);
        else if (w.wi == "31")
            r.dist = gsi::single_value(w.from8, 1000);
        else if (w.wi == "87")
            r.target_height = gsi::single_value(w.from7, 1000);
        else if (w.wi == "71")
            r.code = gsi::code_word(w.from8);
    }
    finish_reading(c.state.station_table.back(), r.view(), book, c.options.op_note);
}

void read_tcr_gsi(Conversion& c, const StationTableOptions& book)
{
    std::string_view raw;
    while (c.in.next_line(raw)) {
        const std::string_view line = trim_view(raw);
        if (!line.starts_with("11")) continue;  // GSI-16 lines open with "*"
        const std::string_view kind = mid_view(line, 17, 2);
        if (kind == "84")
            read_station(c, line);
        else if (kind == "21")
            read_measurement(c, line, book);
    }
}

}  // namespace

void imp_tcr_gsi(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("TCR", kTitle), kBookTitle,
                           "File formato Leica TCR 70x");
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&frame](Conversion& c) { read_tcr_gsi(c, frame.book); });
}

}  // namespace qrb

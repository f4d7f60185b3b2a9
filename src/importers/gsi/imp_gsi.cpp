// The generic GSI converter: GSI-8 and GSI-16 lines, words found by their
// index; stations, readings and known points collected, the book written at
// the end.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"
#include "importers/gsi/known_point.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Leica GSI";
constexpr const char* kBookTitle = "Importazione file Leica GSI";

struct Divisors {
    double length;
    double angle;
};

class GsiReader {
public:
    GsiReader(Conversion& conv, Divisors gsi16, const StationTableOptions& book)
        : conv_(conv), gsi16_(gsi16), book_(book)
    {
    }

    void read()
    {
        std::string_view raw;
        while (conv_.in.next_line(raw)) {
            const std::string_view line = trim_view(raw);
            std::string_view kind;
            std::string_view name_data;
            Divisors div{1000, 100000};
            if (line.starts_with("11")) {
                kind = mid_view(line, 17, 2);
                name_data = mid_view(line, 8, 8);
            } else if (line.starts_with("*11")) {
                kind = mid_view(line, 26, 2);
                name_data = mid_view(line, 9, 16);
                div = gsi16_;
            } else {
                continue;
            }
            if (kind == "84")
                station_line(line, name_data, div);
            else if (kind == "21")
                measurement_line(line, name_data, div);
            else if (kind == "81")
                known_point_line_(line, name_data, div);
        }
    }

private:
    void station_line(std::string_view line, std::string_view name_data, Divisors div)
    {
        const std::string name = gsi::station_name_or(conv_, gsi::clean_name(name_data), "nome_non_valido", kTitle);
        StationRecord& station = conv_.state.station_table.add(name);
        record_.start(name);
        for (const gsi::Word& w : gsi::words_by_index(line)) {
            if (w.wi == "84") record_.east = val(w.from7) / div.length;
            else if (w.wi == "85") record_.north = val(w.from7) / div.length;
            else if (w.wi == "86") record_.height = val(w.from7) / div.length;
            else if (w.wi == "88") station.height = gsi::quotient_value(w.from8, div.length);
            else if (w.wi == "71" || w.wi == "79") station.note = record_.note = gsi::code_word(w.from8);
        }
        record_.collect(conv_.state);
    }

    void measurement_line(std::string_view line, std::string_view name_data, Divisors div)
    {
        WorkState& state = conv_.state;
        if (state.station_table.empty()) first_station();
        StationRecord& station = state.station_table.back();
        // The reading goes straight to its book line: its texts are views
        // into the line read or into the reader's own texts.
        ReadingView reading;
        reading.target = gsi::clean_name(name_data, name_scratch_);
        if (reading.target.empty()) reading.target = "non_valido";
        bool has_code = false;
        record_.start({});
        for (const gsi::Word& w : gsi::words_by_index(line)) {
            if (w.wi == "21") reading.hz = gsi::quotient_value(w.from8, div.angle);
            else if (w.wi == "22") reading.v = gsi::quotient_value(w.from8, div.angle);
            else if (w.wi == "31") reading.dist = gsi::quotient_value(w.from8, div.length);
            else if (w.wi == "87") reading.target_height = gsi::quotient_value(w.from7, div.length);
            else if (w.wi == "88") station.height = gsi::quotient_value(w.from8, div.length);
            else if (w.wi == "71" || w.wi == "79") {
                record_.note = gsi::code_word(w.from8);
                has_code = true;
            } else if (w.wi == "81") record_.east = val(w.from7) / div.length;
            else if (w.wi == "82") record_.north = val(w.from7) / div.length;
            else if (w.wi == "83") record_.height = val(w.from7) / div.length;
        }
        if (has_code) reading.code = record_.note;
        finish_reading(station, reading, book_, conv_.options.op_note);
        // The name is copied only for a point with coordinates.
        if (record_.has_coordinates()) {
            record_.name = reading.target;
            record_.collect(state);
        }
    }

    void known_point_line_(std::string_view line, std::string_view name_data, Divisors div)
    {
        std::string name = gsi::clean_name(name_data);
        if (name.empty()) name = "non_valido";
        record_.start(name);
        for (const gsi::Word& w : gsi::words_by_index(line)) {
            if (w.wi == "71" || w.wi == "79") record_.note = gsi::code_word(w.from8);
            else if (w.wi == "81") record_.east = val(w.from7) / div.length;
            else if (w.wi == "82") record_.north = val(w.from7) / div.length;
            else if (w.wi == "83") record_.height = val(w.from7) / div.length;
        }
        record_.collect(conv_.state);
    }

    // A measurement before any station: without known points the file is
    // refused; otherwise the first station stands on the last known point.
    void first_station()
    {
        WorkState& state = conv_.state;
        if (state.known_points.empty()) gsi::stop_without_station(conv_, "GSI");
        conv_.box("La stazione di partenza viene definita sull'ultimo punto noto trovato nel file. Attenzione: "
                  "l'altezza strumentale sarà posta a zero (0).",
                  "Prima stazione", Icon::Exclamation);
        const std::string_view point = state.known_points.back();
        const Fields f = split_fields(point, "|");
        state.station_table.add(std::string(f[1]), 0, std::string(f[5]));
    }

    Conversion& conv_;
    Divisors gsi16_;
    const StationTableOptions& book_;
    gsi::KnownPointRecord record_;
    std::string name_scratch_;
};

}  // namespace

void imp_gsi(ImportContext& ctx, const std::string& input_path)
{
    // The double-precision divisors act on GSI-16 lines only.
    const Divisors gsi16 = ctx.options.op_gen == 0 ? Divisors{1000, 100000}
                                                   : Divisors{10000000, static_cast<double>(10000000000.0f)};

    CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("GSI", kTitle), kBookTitle,
                           "File formato Leica GSI generico");
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    frame.book.known_points = true;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [gsi16, &frame](Conversion& conv) { GsiReader(conv, gsi16, frame.book).read(); });
}

}  // namespace qrb

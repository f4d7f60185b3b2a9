// Stonex GSI: GSI-8 or GSI-16 lines, each opened by one mark that is dropped.
// A code block (WI 41) sets the current code and defines a station or
// returns to one defined earlier; a measurement line (WI 11) adds a reading
// to the current station and, with coordinates, a known point. Words are
// found by their index. Collected, then written.
#include <optional>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"
#include "importers/gsi/gsi_words.hpp"
#include "importers/gsi/known_point.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Stonex GSI";
constexpr const char* kBookTitle = "Importazione file Stonex GSI";

// The code of a block: upper case, zeros become blanks, leading blanks go;
// the other blanks stay ("0000000000ST0100" gives "ST 1  ").
std::string block_code(std::string_view data)
{
    std::string code = ucase(data);
    for (auto& ch : code)
        if (ch == '0') ch = ' ';
    return ltrim(code);
}

class StonexReader {
public:
    explicit StonexReader(Conversion& conv) : conv_(conv) {}

    void read()
    {
        std::string raw;
        while (conv_.in.next_line(raw)) {
            const std::string line = trim(raw);
            if (line.empty()) continue;
            const std::string words = line.substr(1);  // the "*" of a GSI-16 line, or any first mark
            const std::string kind = left(words, 2);
            if (kind == "41")
                code_block(words);
            else if (kind == "11")
                measurement(words);
        }
    }

private:
    void code_block(const std::string& line)
    {
        StationTable& stations = conv_.state.station_table;
        for (const gsi::Word& w : gsi::words_by_index(line)) {
            if (w.wi == "41") {
                code_ = block_code(w.from8);
                if (code_ == "RE") return;  // back to the stations already defined
            } else if (w.wi == "42") {
                const std::string name = gsi::clean_name(w.from8);
                if (name.empty() || name.find('.') != std::string::npos) return;
                if (const auto hit = stations.find(name)) {
                    station_ = hit->index;  // its readings continue; its note stays
                } else {
                    stations.add(name, 0, code_);
                    station_ = stations.size() - 1;
                }
            } else if (w.wi == "44") {
                if (station_) stations[*station_].height = gsi::quotient_value(w.from8, 1000);
            }
        }
    }

    void measurement(const std::string& line)
    {
        if (!station_) gsi::stop_without_station(conv_, "GSI");
        StationRecord& station = conv_.state.station_table[*station_];
        Reading* reading = nullptr;
        for (const gsi::Word& w : gsi::words_by_index(line)) {
            if (w.wi == "11") {
                const std::string name = gsi::clean_name(w.from8);
                if (name.empty()) return;  // no reading and no known point from this line
                reading = &station.add_reading();
                reading->target = name;
                reading->code = code_;
                point_.start(name);
                point_.note = code_;
            } else if (!reading) {
                continue;  // a word before the point word has no reading to go to
            } else if (w.wi == "21") {
                reading->hz = gsi::quotient_value(w.from8, 100000);
            } else if (w.wi == "22") {
                reading->v = gsi::quotient_value(w.from8, 100000);
            } else if (w.wi == "31") {
                reading->dist = gsi::quotient_value(w.from8, 1000);
            } else if (w.wi == "87") {
                reading->target_height = gsi::quotient_value(w.from7, 1000);
            } else if (w.wi == "71" || w.wi == "79") {
                reading->code = point_.note = gsi::code_word(w.from8);
            } else if (w.wi == "81") {
                point_.east = val(w.from7) / 1000;
            } else if (w.wi == "82") {
                point_.north = val(w.from7) / 1000;
            } else if (w.wi == "83") {
                point_.height = val(w.from7) / 1000;
            }
        }
        if (reading) point_.collect(conv_.state);
    }

    Conversion& conv_;
    std::string code_;                    // from one WI 41 word to the next, across stations
    std::optional<std::size_t> station_;  // the current station
    gsi::KnownPointRecord point_;         // the point of the current measurement line
};

}  // namespace

void imp_stonex_gsi(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("GSI", kTitle), kBookTitle, "File formato Stonex GSI");
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsKnownPoints;
    frame.book.known_points = true;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text =
        "Il file Stonex GSI contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
    frame.run(ctx, input_path, [](Conversion& c) { StonexReader(c).read(); });
}

}  // namespace qrb

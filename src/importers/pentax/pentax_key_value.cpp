// Pentax KEY:VALUE recordings. A line is a key, ":" and a value (the text up
// to the next colon); the key is compared exactly, blanks and case counting.
//
//   STS  opens a new station (note "stazione", height 0)
//   STC  station note          INH  instrument height
//   PPT  code text ("nn" when empty)      PPC  the same (where known)
//   PPD  target name
//   PPH  target height   RTH  horizontal angle   RTV  vertical angle
//   RTD  distance
//
// The first point key (PPT, PPD or PPC) after an STS line opens the
// station's first reading and becomes the station's opening key: every later
// line with that key opens the next reading, the other point keys and the
// measurement keys fill the open one. Stations are never merged by name.
// Values are copied as recorded (no unit conversion); the book declares the
// angles centesimal. Lines that belong nowhere (a station key before the
// first STS, a measurement before the station's first point key) are
// skipped. Collect-then-write; the header is written before reading.
#include "importers/pentax/pentax_key_value.hpp"

#include <optional>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb::pentax {

namespace {

enum class Key { Sts, Stc, Inh, Ppt, Ppc, Ppd, Pph, Rth, Rtv, Rtd };

struct KeyWord {
    std::string_view word;
    Key key;
};

constexpr KeyWord kKeys[] = {
    {"STS", Key::Sts}, {"STC", Key::Stc}, {"INH", Key::Inh}, {"PPT", Key::Ppt}, {"PPC", Key::Ppc},
    {"PPD", Key::Ppd}, {"PPH", Key::Pph}, {"RTH", Key::Rth}, {"RTV", Key::Rtv}, {"RTD", Key::Rtd},
};

constexpr const char* kBookTitle = "Pentax";
constexpr const char* kLocality = "Località sconosciuta";
constexpr const char* kStationNote = "stazione";
constexpr const char* kNoCode = "nn";

// Line numbers of the direct download.
constexpr std::size_t kShortestLine = 9;
constexpr long long kLastFourDigitLine = 9'999;  // kept-line count, from 0
constexpr std::size_t kFourDigits = 4;
constexpr std::size_t kFiveDigits = 5;

std::optional<Key> key_of(std::string_view word, const KeyValueVariant& variant)
{
    for (const KeyWord& k : kKeys)
        if (k.word == word) {
            if (k.key == Key::Ppc && !variant.knows_ppc) return std::nullopt;
            return k.key;
        }
    return std::nullopt;
}

bool is_point_key(Key key) { return key == Key::Ppt || key == Key::Ppc || key == Key::Ppd; }

class KeyValueReader {
public:
    KeyValueReader(StationTable& stations, const KeyValueVariant& variant) : stations_(stations), variant_(variant) {}

    // The line as the key and value are read from it; nothing for a line
    // that is skipped.
    std::optional<std::string> prepared(std::string_view line)
    {
        if (!variant_.numbered_lines) return std::string(line);
        if (line.size() < kShortestLine) return std::nullopt;
        const std::string kept = ltrim(line);
        ++kept_lines_;
        const std::size_t cut = kept_lines_ <= kLastFourDigitLine ? kFourDigits : kFiveDigits;
        // Nothing but a line number: no key to read.
        if (kept.size() <= cut) return std::nullopt;
        return kept.substr(cut, kept.size() - cut - 1);
    }

    void read(const std::string& line)
    {
        const std::string split_line = line + ":";
        const Fields f = split_fields(split_line, ":");
        const std::optional<Key> key = key_of(f[1], variant_);
        if (!key) return;
        const std::string_view value = f[2];
        if (is_point_key(*key))
            point(*key, value);
        else if (*key == Key::Sts)
            stations_.add(std::string(value), 0, kStationNote).size_readings();
        else if (*key == Key::Stc || *key == Key::Inh)
            station_value(*key, value);
        else
            measurement(*key, value);
    }

private:
    std::size_t reading_count() const { return stations_.empty() ? 0 : stations_.back().readings.size(); }

    void station_value(Key key, std::string_view value)
    {
        if (stations_.empty()) return;  // no station to hold it
        StationRecord& station = stations_.back();
        if (key == Key::Inh) {
            station.height = single_val(value);
        } else if (variant_.blank_note_keeps_default && trim_view(value).empty()) {
            station.note = kStationNote;
        } else {
            station.note = std::string(value);
        }
    }

    void point(Key key, std::string_view value)
    {
        if (reading_count() == 0) opening_key_ = key;
        if (stations_.empty()) return;
        StationRecord& station = stations_.back();
        if (key == opening_key_) station.add_reading();
        Reading& reading = station.readings.back();
        if (key == Key::Ppd) {
            reading.target = std::string(value);
            if (variant_.ppd_resets_code) reading.code = kNoCode;
        } else {
            reading.code = value.empty() ? std::string(kNoCode) : std::string(value);
        }
    }

    void measurement(Key key, std::string_view value)
    {
        if (reading_count() == 0) return;  // no reading open to hold it
        Reading& reading = stations_.back().readings.back();
        const float number = single_val(value);
        switch (key) {
        case Key::Pph: reading.target_height = number; break;
        case Key::Rth: reading.hz = number; break;
        case Key::Rtv: reading.v = number; break;
        case Key::Rtd: reading.dist = number; break;
        default: break;
        }
    }

    StationTable& stations_;
    const KeyValueVariant& variant_;
    Key opening_key_ = Key::Sts;  // no point key yet: STS never opens a reading
    long long kept_lines_ = -1;  // lines of the direct download that passed the length test, from 0
};

}  // namespace

void run_key_value(ImportContext& ctx, const std::string& input_path, const KeyValueVariant& variant)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::older("Pentax", variant.title), kBookTitle, variant.note);
    frame.book.header.locality = book_text(kLocality);
    // The slope-distance choice decides alone: without it the book declares
    // reduced distances.
    frame.book.header.survey_type = survey_type_text(survey_type_iz_else_od(ctx.options));
    frame.spec.keep_header = true;
    frame.spec.nothing_found_title = variant.title;
    frame.book.empty_station = StationTableOptions::EmptyStation::BareBlock;
    const StationTableOptions& book = frame.book;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&variant, &book](Conversion& c) {
        write_header(c.out, book.header);
        KeyValueReader reader(c.state.station_table, variant);
        std::string line;
        while (c.in.next_line(line))
            if (const std::optional<std::string> prepared = reader.prepared(line)) reader.read(*prepared);
    });
}

}  // namespace qrb::pentax

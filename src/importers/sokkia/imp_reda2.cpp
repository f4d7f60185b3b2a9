// Psion data recorder files for Sokkia instruments, Reda II layout: short
// lines of values separated by blanks, read in groups. Every line is
// trimmed first; "END" ends the file.
//
//   station number        a lone non-zero number. A new number opens a
//                         station; the first non-blank line after it holds
//                         the heights (instrument height, target height,
//                         reference station, distance, vertical angle,
//                         horizontal angle) and gives the sight to the
//                         reference station; the line after that is dropped.
//                         The current number again opens a reading group:
//                         the next non-blank line is the measurement (target,
//                         target height, distance, vertical angle, horizontal
//                         angle), the line after it the note.
//   S<point> ...          a sight to a station point: target height,
//                         distance, vertical angle, horizontal angle.
//   anything else         ignored.
//
// Heights of 10 or more are recorded without their decimal point and are
// scaled back. Streaming; a sight before the first station has no block to
// stand in and is left out.
#include <limits>
#include <optional>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file dati Psion per Sokkia";
constexpr const char* kSuccessTitle = "File dati Psion per Sokkia";
constexpr const char* kSuccess = "L'importazione del file è stata completata.";
constexpr const char* kEndMark = "END";
constexpr const char* kStationNote = "Stazione";
constexpr const char* kSightNote = "stazione";

// A height below 10 stays as recorded; from 10 on it is divided, in turn,
// by 1000, 100 and 10 by its magnitude, each test on the text the previous
// one left (three decimals).
struct HeightStep {
    double from, below, divisor;
};
constexpr HeightStep kHeightSteps[] = {
    {1000, std::numeric_limits<double>::infinity(), 1000}, {100, 1000, 100}, {10, 100, 10}};

std::string scaled_height(std::string_view text)
{
    std::string out(text);
    for (const HeightStep& step : kHeightSteps) {
        const double value = val(out);
        if (value >= step.from && value < step.below) out = format_with_mask(value / step.divisor, "0.000");
    }
    return out;
}

// "INT" for a distance whose value is 0.
std::string_view distance_or_int(std::string_view text) { return val(text) == 0 ? "INT" : text; }

// A sight to a station point: the point, horizontal angle, vertical angle,
// distance and target height as recorded (the height scaled), then the note
// "stazione" and the code "NN".
std::string sight_line(std::string_view point, std::string_view hz, std::string_view v, std::string_view dist,
                       std::string_view target_height)
{
    RecordLine r;
    r.text(point).text(hz).text(v).text(dist).text(scaled_height(target_height));
    r.literal(kSightNote).literal("NN");
    return r.str();
}

class RedaBook {
public:
    explicit RedaBook(Conversion& c) : c_(c) {}

    // Returns at the normal end, after "END" or after the line dropped from a
    // new station; the frame then writes the trailer.
    void read()
    {
        std::string line;
        bool pending = false;  // a line read inside a group, still to handle
        for (;;) {
            if (!pending) {
                if (!c_.in.next_line(line)) return end_without_mark();
            }
            pending = false;
            const std::string trimmed = trim(line);
            if (trimmed == kEndMark) return;
            const std::string record = trimmed + " ";
            const Fields f = split_fields(record, " ");
            if (f[1].starts_with('S') || f[1].starts_with('s')) sight(f);
            if (!is_station_number(f)) continue;
            if (f[1] == station_) {
                reading_group();
                continue;
            }
            new_station(f[1]);
            // The line after the dropped one is read without an end test; an
            // input that ends here ends like one with its end mark.
            if (!c_.in.next_line(line)) return;
            pending = true;
        }
    }

private:
    static bool is_station_number(const Fields& f)
    {
        return !f[1].empty() && val(f[1]) != 0 && f[2].empty() && f[3].empty() && f[4].empty();
    }

    // The input ended between groups without "END": the book is complete
    // but for the mark, so it gets its trailer; the warning takes the place
    // of the success box. A book without any station is nothing found (the
    // frame's end).
    void end_without_mark() { c_.end_cut_short(kDataErrors); }

    // The next line that is not blank once trimmed, cut at blanks into
    // `record`; reading past the end fails.
    Fields next_record(std::string& record)
    {
        std::string line;
        do line = trim(c_.in.read_line());
        while (line.empty());
        record = line + " ";
        return split_fields(record, " ");
    }

    void sight(const Fields& f)
    {
        if (station_.empty()) return;  // no block to stand in
        c_.out.line(sight_line(f[1].substr(1), f[5], f[4], f[3], f[2]));
    }

    void reading_group()
    {
        std::string record;
        const Fields m = next_record(record);
        std::string note = trim(c_.in.read_line());
        if (note.empty()) note = "nn";
        RecordLine r;
        r.text(m[1]).text(m[5]).text(m[4]).text(distance_or_int(m[3])).text(scaled_height(m[2]));
        r.text(lcase(note)).text(code_by_op_note(note, c_.options.op_note));
        c_.out.line(r.str());
    }

    void new_station(std::string_view number)
    {
        station_ = number;
        c_.out.tag("#stazione#");
        c_.out.value(station_);
        std::string record;
        const Fields h = next_record(record);
        // No sight when the reference is the station itself.
        std::optional<std::string> sight;
        if (h[3] != station_) sight = sight_line(h[3], h[6], h[5], distance_or_int(h[4]), h[2]);
        c_.out.value(scaled_height(h[1]));
        c_.out.value(kStationNote);
        std::string dropped;
        next_record(dropped);
        if (sight) c_.out.line(*sight);
    }

    Conversion& c_;
    std::string station_;  // the current station number
};

}  // namespace

void imp_reda2(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::short_with_end_of_input(kTitle));
    frame.spec.success_title = kSuccessTitle;
    frame.spec.nothing_found_title = kSuccessTitle;
    frame.spec.success_text = kSuccess;
    frame.header = BookHeader{"Rilievo", "Nessuna", survey_type(ctx.options),
                              "Lettura file generato dal registratore dati PSION per Sokkia (Reda II)"};
    frame.run(ctx, input_path, [](Conversion& c) { RedaBook(c).read(); });
}

}  // namespace qrb

// Sokkia SRG files: one record a line, fields separated by commas, the
// record type in the first character of the line (only that character
// counts). Values are copied as the file writes them (angles in gon, under
// the book's "CENT"); names and notes are lower-cased.
//
//   1 station:                F2 name, F3 instrument height, F7 note
//   2 reading:                F2 target, F3 distance, F4 vertical angle,
//                             F5 horizontal angle, F6 target height, F7 note
//   3 known point:            F2 name, F3 north, F4 east, F5 height, F7 note
//   4 reading and its point:  F2 target, F3 distance, F4 vertical angle,
//                             F5 horizontal angle, F6 north, F7 east,
//                             F8 height, F9 target height, F10 note
//   5 angles only:            F2 target, F3 vertical angle,
//                             F4 horizontal angle, F5 target height, F6 note
//
// Streaming: each station block and reading line is written as its record
// is read. Known points are held back and written at the end when the user
// agrees. A reading before the first station has no block to stand in and
// is left out.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Sokkia SRG";
constexpr const char* kQuestionTitle = "Importa file SRG";
// Field numbers of a reading line: target, horizontal angle, vertical angle,
// distance (0: always "INT"), target height, note.
struct ReadingFields {
    std::size_t target, hz, v, dist, target_height, note;
};
constexpr ReadingFields kReading{2, 5, 4, 3, 6, 7};
constexpr ReadingFields kReadingWithPoint{2, 5, 4, 3, 9, 10};
constexpr ReadingFields kAnglesOnly{2, 4, 3, 0, 5, 6};

// Field numbers of a known point: name, east, north, height, note.
struct PointFields {
    std::size_t name, east, north, height, note;
};
constexpr PointFields kKnownPoint{2, 4, 3, 5, 7};
constexpr PointFields kPointOfReading{2, 7, 6, 8, 10};

class SrgBook {
public:
    explicit SrgBook(Conversion& c) : c_(c) {}

    void read()
    {
        std::string line;
        while (c_.in.next_line(line)) {
            const char type = line.empty() ? '\0' : line[0];
            if (type < '1' || type > '5') continue;
            const std::string record = line + ",";
            const Fields f = split_fields(record, ",");
            switch (type) {
            case '1': station(f); break;
            case '2': reading(f, kReading, true); break;
            case '3': known_point(f, kKnownPoint); break;
            case '4':
                reading(f, kReadingWithPoint, false);
                known_point(f, kPointOfReading);
                break;
            case '5': reading(f, kAnglesOnly, false); break;
            default: break;
            }
        }
    }

    // At the end of the input: the known points, after the user's consent.
    void finish()
    {
        if (c_.state.known_points.empty()) return;
        if (c_.box(known_points_question("SRG"), kQuestionTitle, Icon::Question, Buttons::YesNo) == kNo) return;
        for (const std::string_view item : c_.state.known_points) {
            c_.out.tag("#passnoto#");
            c_.out.line(item);
        }
    }

private:
    std::string code(std::string_view note) const { return code_by_op_note(note, c_.options.op_note); }

    void station(const Fields& f)
    {
        in_station_ = true;
        c_.out.tag("#stazione#");
        c_.out.value(lcase(f[2]));
        c_.out.value(f[3]);
        c_.out.value(trim(f[7]).empty() ? std::string_view("Stazione") : f[7]);
    }

    // `int_for_zero`: a distance of value 0 (or none) is written "INT".
    void reading(const Fields& f, const ReadingFields& k, bool int_for_zero)
    {
        if (!in_station_) return;
        std::string_view dist = k.dist == 0 ? "INT" : f[k.dist];
        if (int_for_zero && val(dist) == 0) dist = "INT";
        RecordLine r;
        r.text(lcase(f[k.target]))
            .text(f[k.hz])
            .text(f[k.v])
            .text(dist)
            .text(f[k.target_height])
            .text(lcase(f[k.note]))
            .text(code(f[k.note]));
        c_.out.line(r.str());
    }

    void known_point(const Fields& f, const PointFields& k)
    {
        RecordLine r;
        r.text(lcase(f[k.name]))
            .text(f[k.east])
            .text(f[k.north])
            .text(f[k.height])
            .text(lcase(f[k.note]))
            .text(code(f[k.note]));
        c_.state.known_points.push_back(r.str());
    }

    Conversion& c_;
    bool in_station_ = false;
};

}  // namespace

void imp_srg(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("SRG", kTitle).end_of_input_only());
    frame.header = BookHeader{"Importazione file Sokkia SRG", "Nessuna", survey_type(ctx.options), "Sokkia SRG"};
    frame.run(
        ctx, input_path,
        [](Conversion& c) {
            SrgBook book(c);
            book.read();
            book.finish();
        });
}

}  // namespace qrb

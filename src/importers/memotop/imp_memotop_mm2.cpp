// Topcon Memotop MM2: one record a line. Two characters mark the record
// ("L|" job, "S|" station, "P|" and "R|" readings, "C|" known point), the
// third is skipped, and the fields from the fourth on each end at a group
// separator (code 29). Values are copied as text: nothing is converted or
// computed. The job record, when it is the first line, gives the header.
// Stations and readings are written as they are read (a reading before the
// first station has no block to stand in and is left out); known points are
// gathered and, when the user agrees, written before the trailer. The
// header goes out with the first station or known point: a file without
// either is nothing found.
//
// A record whose field lacks its separator is given up there; what follows
// the fields taken is tried as a record of its own. A station block is
// always written whole, a missing field as an empty line, so that the
// readings after it stay under it.
#include <vector>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file mm2";
constexpr const char* kEndOfInputTitle = "Importa file Memotop MM2";
constexpr const char* kQuestionTitle = "Importa file MM2";
constexpr const char* kFormatWord = "MM2";

constexpr char kSeparator = '\x1d';
constexpr std::size_t kFieldsStart = 3;  // characters before the first field

enum class Kind { Job, Station, Reading, RawReading, KnownPoint };

struct RecordMark {
    std::string_view mark;
    Kind kind;
    std::size_t fields;  // the fields the converter takes
};

constexpr RecordMark kMarks[] = {
    {"L|", Kind::Job, 5},     {"S|", Kind::Station, 3},    {"P|", Kind::Reading, 6},
    {"R|", Kind::RawReading, 6}, {"C|", Kind::KnownPoint, 6},
};

// Field positions, 0-based.
enum JobField { kJobTitle, kJobOperator, kJobInstrument, kJobLocality, kJobDate };
enum StationField { kStationName, kStationNote, kStationHeight };
enum ReadingField { kTarget, kNote, kTargetHeight, kHorizontal, kVertical, kDistance };
enum PointField { kPointName, kPointNote, kPointUnused, kEast, kNorth, kHeight };

const RecordMark* mark_of(std::string_view text)
{
    for (const RecordMark& m : kMarks)
        if (text.starts_with(m.mark)) return &m;
    return nullptr;
}

// The fields of one record, as far as each is ended by a separator.
struct Record {
    const RecordMark* mark = nullptr;
    std::vector<std::string_view> fields;
    std::string_view rest;  // what follows the last field taken

    bool complete() const { return fields.size() == mark->fields; }
    std::string_view field(std::size_t k) const { return k < fields.size() ? fields[k] : std::string_view{}; }
};

Record take_record(std::string_view text, const RecordMark& mark)
{
    Record r;
    r.mark = &mark;
    r.rest = text.size() > kFieldsStart ? text.substr(kFieldsStart) : std::string_view{};
    while (r.fields.size() < mark.fields) {
        const std::size_t end = r.rest.find(kSeparator);
        if (end == std::string_view::npos) break;
        r.fields.push_back(r.rest.substr(0, end));
        r.rest.remove_prefix(end + 1);
    }
    return r;
}

class Mm2Reader {
public:
    explicit Mm2Reader(Conversion& c) : c_(c), code_from_note_(c.options.op_note == 1) {}

    void read()
    {
        std::string line;
        if (!c_.in.next_line(line)) return;
        const RecordMark* first = mark_of(line);
        std::string_view rest;  // what a broken job record leaves to be tried
        if (first && first->kind == Kind::Job) {
            const Record job = take_record(line, *first);
            if (job.complete())
                job_header(job);
            else
                rest = job.rest;
        }
        if (!first || first->kind == Kind::Station || first->kind == Kind::KnownPoint) rest = line;
        convert(rest);
        while (c_.in.next_line(line)) convert(line);
        end();
    }

private:
    void job_header(const Record& job)
    {
        header_ = {std::string(job.field(kJobTitle)), std::string(job.field(kJobLocality)),
                   survey_type(c_.options),
                   "Rilievo eseguito in data :" + std::string(job.field(kJobDate)) + " da " +
                       std::string(job.field(kJobOperator)) + " con lo strumento " +
                       std::string(job.field(kJobInstrument)) + "."};
    }

    // The header goes before the first line of data.
    void header()
    {
        if (header_written_) return;
        header_written_ = true;
        write_header(c_.out, header_);
    }

    // Converts the records of one line: the first, and after a record given
    // up at a missing separator, whatever record its rest begins with.
    void convert(std::string_view text)
    {
        while (const RecordMark* mark = mark_of(text)) {
            if (mark->kind == Kind::Job) return;  // only the first line gives the header
            const Record r = take_record(text, *mark);
            switch (mark->kind) {
            case Kind::Station: station(r); break;
            case Kind::Reading:
            case Kind::RawReading:
                if (r.complete()) reading(r);
                break;
            case Kind::KnownPoint:
                if (r.complete()) known_point(r);
                break;
            case Kind::Job: break;
            }
            if (r.complete()) return;
            text = r.rest;
        }
    }

    void station(const Record& r)
    {
        header();
        in_station_ = true;
        c_.out.tag("#stazione#");
        c_.out.value(lcase(trim(r.field(kStationName))));
        c_.out.value(trim(r.field(kStationHeight)));
        c_.out.value(trim(r.field(kStationNote)));
    }

    void reading(const Record& r)
    {
        const bool raw = r.mark->kind == Kind::RawReading;
        const std::string note = raw ? trim(r.field(kNote)) : lcase(trim(r.field(kNote)));
        std::string distance = trim(r.field(kDistance));
        if (!raw && val(distance) == 0) distance = "INT";
        RecordLine line;
        line.text(lcase(trim(r.field(kTarget))))
            .text(trim(r.field(kHorizontal)))
            .text(trim(r.field(kVertical)))
            .text(distance)
            .text(trim(r.field(kTargetHeight)))
            .text(note)
            .text(code_from_note_ ? ucase(note) : std::string("NN"));
        if (in_station_) c_.out.line(line.str());
    }

    void known_point(const Record& r)
    {
        const std::string note = trim(r.field(kPointNote));
        RecordLine line;
        line.text(lcase(r.field(kPointName)))
            .text(ltrim(r.field(kEast)))
            .text(ltrim(r.field(kNorth)))
            .text(ltrim(r.field(kHeight)))
            .text(note)
            .text(code_from_note_ ? ucase(note) : std::string("NN"));
        c_.state.known_points.push_back(line.str());
    }

    void end()
    {
        const LineList& points = c_.state.known_points;
        if (!points.empty() &&
            c_.box(known_points_question(kFormatWord), kQuestionTitle, Icon::Question, Buttons::YesNo) != kNo) {
            header();
            for (const std::string_view item : points) {
                c_.out.tag("#passnoto#");
                c_.out.line(item);
            }
        }
    }

    Conversion& c_;
    const bool code_from_note_;  // "Note <-> Codici punto", read once at the start
    BookHeader header_{"Rilievo", "Sconosciuta", survey_type(c_.options), "Importazione file tipo mm2"};
    bool header_written_ = false;
    bool in_station_ = false;  // a station block stands in the book
};

}  // namespace

void imp_memotop_mm2(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard(kFormatWord, kEndOfInputTitle).end_of_input_only());
    frame.spec.success_title = kTitle;
    frame.spec.nothing_found_title = kTitle;
    frame.run(ctx, input_path, [](Conversion& c) { Mm2Reader(c).read(); });
}

}  // namespace qrb

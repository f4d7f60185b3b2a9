// Nikon DTM 700 files: one value a line, every line trimmed and lower-cased
// as it is read. A marker line begins a block of a fixed number of lines:
// "@jn" a job (its note, reading layout and angle unit), "@st" a station,
// "@ss" a reading; "end" outside a block ends the data. A marker inside a
// block abandons that block. Values are copied as text; angles in radians
// or degrees and layout "d" are refused. Written while reading; the trailer
// is written also after a refusal or a failure.
#include <array>
#include <string_view>

#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Nikon DTM-700";
constexpr const char* kRefused = "File dati non supportato.";

constexpr std::string_view kJobMarker = "@jn";
constexpr std::string_view kStationMarker = "@st";
constexpr std::string_view kReadingMarker = "@ss";
constexpr std::string_view kEndOfData = "end";

// Job block lines.
constexpr int kJobNoteLine = 2;
constexpr int kLayoutLine = 4;
constexpr int kUnitLine = 6;
constexpr std::array<std::string_view, 3> kLayouts{"a", "b", "c"};
constexpr std::string_view kRefusedLayout = "d";
// The angles are written as they stand under "CENT": only gon are taken.
constexpr std::array<std::string_view, 2> kRefusedUnits{"rads", "degs"};

// Station block lines.
constexpr int kStationLines = 13;
constexpr int kStationNameLine = 2;
constexpr int kStationHeightLine = 6;
constexpr int kStationNoteLine = 13;

// Reading block lines.
constexpr int kReadingLines = 22;
constexpr int kPointLine = 2;
constexpr int kTargetHeightLine = 8;
constexpr int kHzLine = 10;
constexpr int kVLine = 11;
constexpr int kDistLine = 12;
constexpr int kNoteLine = 22;
// Layout "c" records no zenith as 0.
constexpr std::string_view kZenithLayout = "c";
constexpr std::string_view kNoZenith = "100.000";

constexpr std::string_view kNoNote = "nn";
constexpr std::string_view kNoStationNote = "Stazione";

template <std::size_t N>
bool one_of(const std::array<std::string_view, N>& words, std::string_view s)
{
    for (std::string_view w : words)
        if (w == s) return true;
    return false;
}

bool is_block_marker(std::string_view line)
{
    return line == kJobMarker || line == kStationMarker || line == kReadingMarker;
}

// The file asks for what the book cannot hold.
struct Refusal {};

class Dtm700Reader {
public:
    explicit Dtm700Reader(Conversion& c) : c_(c) {}

    void run()
    {
        write_header();
        try {
            read_blocks();
        } catch (const Refusal&) {
            c_.box(kRefused, kTitle, Icon::Exclamation);
            finish();
            c_.stop();
        } catch (const RunError& e) {
            if (e.code() == kPastEndOfInput)
                c_.box(kSomeErrors, kTitle, Icon::Exclamation);
            else
                c_.box(unexpected_text(e.code(), e.description()), kUnexpectedTitle, Icon::Exclamation);
            finish();
            c_.stop();
        }
        finish();
    }

private:
    // The header less the value of "#note#", which the first job gives.
    void write_header()
    {
        c_.out.tag("#titolo#");
        c_.out.value("Importazione file Nikon DTM-700");
        c_.out.tag("#loc#");
        c_.out.value("Sconosciuta");
        c_.out.tag("#tipo#");
        c_.out.value(c_.options.tipo_iz ? "IZ" : "OD");
        c_.out.tag("#angoli#");
        c_.out.value("CENT");
        c_.out.tag("#note#");
    }

    // Exactly one line follows "#note#": the first job's note, or "nn" when
    // something else comes first.
    void note_line(std::string_view note)
    {
        if (note_written_) return;
        c_.out.value(note);
        note_written_ = true;
    }

    void finish()
    {
        note_line(kNoNote);
        write_trailer(c_.out);
    }

    // The next line, trimmed and lower-cased, or false at the end.
    bool next_line(std::string& line)
    {
        if (!c_.in.next_line(raw_)) return false;
        line = lcase(trim(raw_));
        return true;
    }

    // A line of a block; false when it is a marker, which abandons the block
    // and is kept for dispatch. The end of the input fails.
    bool block_line(std::string& line)
    {
        line = lcase(trim(c_.in.read_line()));
        if (!is_block_marker(line)) return true;
        pending_ = line;
        return false;
    }

    void read_blocks()
    {
        std::string line;
        for (;;) {
            if (!pending_.empty()) {
                line = std::move(pending_);
                pending_.clear();
            } else if (!next_line(line)) {
                return;
            }
            if (line == kJobMarker) job_block();
            else if (line == kStationMarker) station_block();
            else if (line == kReadingMarker) reading_block();
            else if (line == kEndOfData) return;
        }
    }

    void job_block()
    {
        std::string line;
        for (int n = 1; n <= kUnitLine; ++n) {
            if (!block_line(line)) return;
            if (n == kJobNoteLine) note_line(line.empty() ? kNoNote : std::string_view(line));
            if (n == kLayoutLine) {
                if (line == kRefusedLayout) throw Refusal{};
                if (one_of(kLayouts, line)) layout_ = line;
            }
            if (n == kUnitLine && one_of(kRefusedUnits, line)) throw Refusal{};
        }
    }

    void station_block()
    {
        std::string line;
        std::string name;
        std::string height;
        std::string note;
        for (int n = 1; n <= kStationLines; ++n) {
            if (!block_line(line)) return;
            if (n == kStationNameLine) name = line;
            if (n == kStationHeightLine) height = line;
            if (n == kStationNoteLine) note = line.empty() ? std::string(kNoStationNote) : line;
        }
        note_line(kNoNote);
        c_.out.tag("#stazione#");
        c_.out.value(name);
        c_.out.value(height);
        c_.out.value(note);
        station_written_ = true;
    }

    void reading_block()
    {
        std::string line;
        std::string point;
        std::string target_height;
        std::string hz;
        std::string v;
        std::string dist;
        std::string note;
        for (int n = 1; n <= kReadingLines; ++n) {
            if (!block_line(line)) return;
            // A reading without a point name is abandoned.
            if (n == kPointLine && line.empty()) return;
            if (n == kPointLine) point = line;
            if (n == kTargetHeightLine) target_height = line;
            if (n == kHzLine) hz = line;
            if (n == kVLine) v = layout_ == kZenithLayout && val(line) == 0 ? std::string(kNoZenith) : line;
            if (n == kDistLine) dist = line;
            if (n == kNoteLine) note = line.empty() ? std::string(kNoNote) : line;
        }
        if (val(dist) == 0) dist = "INT";
        // A reading before the first station block is not written.
        if (!station_written_) return;
        note_line(kNoNote);
        RecordLine r;
        r.text(point).text(hz).text(v).text(dist).text(target_height).text(note).text(ucase(note));
        c_.out.line(r.str());
    }

    Conversion& c_;
    std::string raw_;
    std::string pending_;  // a marker that abandoned a block
    std::string layout_ = "a";
    bool note_written_ = false;
    bool station_written_ = false;
};

}  // namespace

void imp_dtm700(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("Nikon DTM-700", kTitle).end_of_input_only());
    frame.trailer = false;  // written by the reader, also after a failure
    frame.run(ctx, input_path, [](Conversion& c) { Dtm700Reader(c).run(); });
}

}  // namespace qrb

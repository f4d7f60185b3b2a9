// Nikon Registra PCP and PRE exports: the whole recording is the first line
// of the file, its records one after the other, each closed by the byte
// 0x94 (a right double quotation mark in Windows-1252). The line's first
// and last characters are dropped before it is cut. A record's fields are
// cut at "|" as it stands (the text after its last "|" is no field); field
// 1 is the type: "0" the job, "1" a station, "2" a reading of the last
// station. Collect-then-write; the first line is read before the output is
// chosen.
//
// The two exports differ in the fields of a reading, in the station's
// height and in the format word of their texts; one reading step runs on a
// table of those differences.
#include <string_view>

#include "book/frames.hpp"
#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

// A field number that the export does not have: the value is fixed.
constexpr std::size_t kFixed = 0;

struct RegistraLayout {
    std::string_view format;  // "PCP" or "PRE" in every text
    std::size_t station_height;
    // Reading record.
    std::size_t target;
    std::size_t note;
    std::size_t hz;
    std::size_t v;
    std::size_t dist;
    std::size_t target_height;
};

constexpr RegistraLayout kPcp{"PCP", kFixed, 2, 3, 4, kFixed, 5, kFixed};
constexpr RegistraLayout kPre{"PRE", 4, 2, 4, 5, 6, 7, 3};

// Values of the fields a PCP export does not have.
constexpr float kFixedHeight = 0;
constexpr float kFixedZenith = 100;

constexpr char kRecordMark = '\x94';

constexpr std::string_view kJobType = "0";
constexpr std::string_view kStationType = "1";
constexpr std::string_view kReadingType = "2";

// Station record fields.
constexpr std::size_t kTypeField = 1;
constexpr std::size_t kNameField = 2;  // also the job record's name
constexpr std::size_t kStationNoteField = 3;

float number_or(const Fields& f, std::size_t field, float fixed)
{
    return field == kFixed ? fixed : single_val(f[field]);
}

// The first line without its first and last characters, trimmed, closed by
// one more record mark, made in the line's own room. An empty input, or a
// line too short to lose two characters, fails before the output is chosen.
std::string prepared_first_line(LineReader& in)
{
    std::string line = in.read_line();
    if (line.size() < 2) fail(kInvalidArgument);
    const std::string_view inner = trim_view(std::string_view(line).substr(1, line.size() - 2));
    if (inner.empty()) {
        line.clear();
    } else {
        const auto start = static_cast<std::size_t>(inner.data() - line.data());
        line.erase(start + inner.size());
        line.erase(0, start);
    }
    line += kRecordMark;
    return line;
}

void read_registra(Conversion& c, const RegistraLayout& layout, const std::string& line, std::string& job)
{
    StationTable& stations = c.state.station_table;
    // Every text closed by a record mark, trimmed, in order.
    std::size_t start = 0;
    for (std::size_t mark = line.find(kRecordMark); mark != std::string::npos;
         start = mark + 1, mark = line.find(kRecordMark, start)) {
        const Fields f = split_fields(trim_view(std::string_view(line).substr(start, mark - start)), "|");
        const std::string_view type = f[kTypeField];
        if (type == kJobType) {
            job = std::string(f[kNameField]);
        } else if (type == kStationType) {
            stations.add(std::string(f[kNameField]), number_or(f, layout.station_height, kFixedHeight),
                         std::string(f[kStationNoteField]));
        } else if (type == kReadingType) {
            // A reading before the first station has no block to go to.
            if (stations.empty()) continue;
            Reading& r = stations.back().add_reading();
            r.target = std::string(f[layout.target]);
            r.code = std::string(f[layout.note]);
            r.hz = number_or(f, layout.hz, 0);
            r.v = number_or(f, layout.v, kFixedZenith);
            r.dist = number_or(f, layout.dist, 0);
            r.target_height = number_or(f, layout.target_height, kFixedHeight);
        }
    }
}

void run_registra(ImportContext& ctx, const std::string& input_path, const RegistraLayout& layout)
{
    const std::string word(layout.format);
    CollectThenWrite frame(ctx.options, FailurePolicy::standard(word, "Importa file " + word),
                           "Importazione file tipo " + word, "File " + word);
    frame.spec.nothing_found_title = "Importazione file " + word;
    frame.book.all_left_out_is_nothing_found = true;
    std::string line;
    std::string job;
    frame.before_writing = [&job](StationTableOptions& book) {
        if (!job.empty()) book.header.note = job;
    };
    frame.stations_finished_on_add = true;
    frame.run(
        ctx, input_path, [&](Conversion& c) { read_registra(c, layout, line, job); },
        [&line](ImportContext&, LineReader& in) { line = prepared_first_line(in); });
}

}  // namespace

void imp_registra_pcp(ImportContext& ctx, const std::string& input_path) { run_registra(ctx, input_path, kPcp); }

void imp_registra_pre(ImportContext& ctx, const std::string& input_path) { run_registra(ctx, input_path, kPre); }

}  // namespace qrb

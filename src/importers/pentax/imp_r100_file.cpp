// Pentax R100/300 file: one reading a line, its values separated by single
// blanks (two blanks make an empty value and move the later ones on). The
// first value names the station; a run of lines with the same first value
// is one station, and the line that starts it also gives the instrument
// height. Values are copied as recorded (no unit conversion); the book
// declares the angles centesimal. Blank lines hold no reading and are
// skipped. Collect-then-write.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Pentax R-100";
constexpr const char* kBookTitle = "Importazione file Pentax R-100";
constexpr const char* kNote = "Importazione file Pentax R-100/300 (solo file)";
constexpr const char* kStationNote = "Stazione";
constexpr const char* kNoCode = "nn";

// The values of a line, by position (field 4 and those after 10 are unused).
constexpr std::size_t kStationField = 1;
constexpr std::size_t kTargetField = 2;
constexpr std::size_t kSecondCodeField = 3;  // the code when field 10 is empty
constexpr std::size_t kInstrumentHeightField = 5;
constexpr std::size_t kTargetHeightField = 6;
constexpr std::size_t kVerticalField = 7;
constexpr std::size_t kHorizontalField = 8;
constexpr std::size_t kDistanceField = 9;
constexpr std::size_t kCodeField = 10;

float number(const Fields& f, std::size_t k) { return single_val(f[k]); }

void read_r100_file(Conversion& c)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        const std::string values = trim(line) + " ";
        if (values.size() == 1) continue;  // a blank line
        const Fields f = split_fields(values, " ");
        const std::string_view name = f[kStationField];
        if (stations.empty() || stations.back().name != name)
            stations.add(std::string(name), number(f, kInstrumentHeightField), kStationNote);
        Reading& r = stations.back().add_reading();
        r.target = std::string(f[kTargetField]);
        r.hz = number(f, kHorizontalField);
        r.v = number(f, kVerticalField);
        r.dist = number(f, kDistanceField);
        r.target_height = number(f, kTargetHeightField);
        const std::string_view code = !f[kCodeField].empty() ? f[kCodeField] : f[kSecondCodeField];
        r.code = code.empty() ? std::string(kNoCode) : std::string(code);
    }
}

}  // namespace

void imp_r100_file(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("Pentax", kTitle), kBookTitle, kNote);
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, read_r100_file);
}

}  // namespace qrb

// Nikon DTM 410 and DTM 851 (Registra) comma files: one record a line, its
// fields cut at every comma as the line stands (no comma is added, so the
// text after the last comma is no field). A type field opens a station or
// adds a reading to the current one; any other line is ignored. Values are
// copied as read, angles declared centesimal. Collect-then-write.
//
// The two recorders differ only in the fields of each value and in their
// texts; the one reading step below runs on a table of those differences.
#include <array>
#include <string_view>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"

namespace qrb {

namespace {

struct CommaLayout {
    // Field of the record type, compared exactly (blanks count).
    std::size_t type_field;
    std::string_view station_code;
    std::array<std::string_view, 3> reading_codes;  // empty entries are unused

    // Station record fields.
    std::size_t station_name;
    std::size_t station_note;
    std::size_t station_height;

    // Reading record fields.
    std::size_t target;
    std::size_t code;
    std::size_t dist;
    std::size_t hz;
    std::size_t v;
    std::size_t target_height;

    // Texts (the failure boxes say "Il file <format> ...").
    std::string_view format;
    std::string_view title;       // success and failure boxes
    std::string_view book_title;  // "#titolo#" and the nothing-found box
    std::string_view note;        // "#note#"
};

constexpr CommaLayout kDtm410{
    2, "0", {"2", "3", "4"},
    4, 5, 6,
    4, 5, 6, 7, 8, 9,
    "Nikon DTM 410", "Importa file Nikon DTM 410", "Importazione file Nikon DTM 410", "File formato Nikon DTM 410",
};

constexpr CommaLayout kDtm851{
    1, "1", {"2", "", ""},
    2, 4, 3,
    2, 8, 6, 4, 5, 3,
    "Nikon DTM 851", "Importa file Nikon DTM 851", "Importazione file Nikon DTM 851",
    "File formato Nikon DTM 851 Registra",
};

constexpr std::string_view kDefaultStationNote = "stazione";
constexpr std::string_view kDefaultCode = "nn";

bool is_reading_code(const CommaLayout& layout, std::string_view type)
{
    for (std::string_view code : layout.reading_codes)
        if (!code.empty() && code == type) return true;
    return false;
}

std::string or_default(std::string_view field, std::string_view fallback)
{
    return std::string(field.empty() ? fallback : field);
}

void read_comma_records(Conversion& c, const CommaLayout& layout)
{
    StationTable& stations = c.state.station_table;
    std::string line;
    while (c.in.next_line(line)) {
        const Fields f = split_fields(line, ",");
        const std::string_view type = f[layout.type_field];
        if (type == layout.station_code) {
            // Every station record opens a station, also under a name seen before.
            stations.add(std::string(f[layout.station_name]), single_val(f[layout.station_height]),
                         or_default(f[layout.station_note], kDefaultStationNote));
        } else if (is_reading_code(layout, type)) {
            // A reading before the first station has no block to go to.
            if (stations.empty()) continue;
            Reading& r = stations.back().add_reading();
            r.target = std::string(f[layout.target]);
            r.code = or_default(f[layout.code], kDefaultCode);
            r.dist = single_val(f[layout.dist]);
            r.hz = single_val(f[layout.hz]);
            r.v = single_val(f[layout.v]);
            r.target_height = single_val(f[layout.target_height]);
        }
    }
}

void run_comma_file(ImportContext& ctx, const std::string& input_path, const CommaLayout& layout)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard(std::string(layout.format), std::string(layout.title)),
                           std::string(layout.book_title), std::string(layout.note));
    frame.book.all_left_out_is_nothing_found = true;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&layout](Conversion& c) { read_comma_records(c, layout); });
}

}  // namespace

void imp_dtm410(ImportContext& ctx, const std::string& input_path) { run_comma_file(ctx, input_path, kDtm410); }

void imp_dtm851(ImportContext& ctx, const std::string& input_path) { run_comma_file(ctx, input_path, kDtm851); }

}  // namespace qrb

// Nikon D-50 Psion field-book files: sections opened by a line holding only
// their name (any case), closed by an empty line, "COMMENTI" or "END". Data
// lines are cut at single blanks. Stations are named "s" and their number;
// point and link lines are readings of the station they name; the base
// line gives the coordinates written after "#origine#". Collect-then-write.
#include <array>
#include <string_view>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

enum class Section { None, Stations, Points, Links, Base };

struct SectionName {
    std::string_view name;
    Section section;
};

constexpr std::array<SectionName, 5> kSections{{
    {"STAZIONI", Section::Stations},
    {"PUNTI", Section::Points},
    {"COLLEGAMENTI AVANTI", Section::Links},
    {"COLLEGAMENTI INDIETRO", Section::Links},
    {"STAZ. BASE", Section::Base},
}};
// Lines that close the open section (an empty line too).
constexpr std::array<std::string_view, 2> kClosers{"COMMENTI", "END"};

constexpr std::string_view kStationPrefix = "s";
constexpr std::string_view kStationNote = "Stazione";
constexpr std::string_view kNoNote = "nn";

// Station line: number, instrument height.
constexpr std::size_t kStationNumber = 1;
constexpr std::size_t kInstrumentHeight = 2;
// Point line: target, station number; link line: station number, target
// station number; then, in both, the values.
constexpr std::size_t kPointTarget = 1;
constexpr std::size_t kPointStation = 2;
constexpr std::size_t kLinkStation = 1;
constexpr std::size_t kLinkTarget = 2;
constexpr std::size_t kDist = 3;
constexpr std::size_t kV = 4;
constexpr std::size_t kHz = 5;
constexpr std::size_t kTargetHeight = 6;
constexpr std::size_t kNote = 7;
// Base line: x, y, z.
constexpr std::size_t kBaseX = 1;
constexpr std::size_t kBaseY = 2;
constexpr std::size_t kBaseZ = 3;

struct BaseCoordinates {
    double x = 0;
    double y = 0;
    double z = 0;
};

Section section_named(std::string_view line)
{
    for (const SectionName& s : kSections)
        if (equal_ignore_case(s.name, line)) return s.section;
    return Section::None;
}

bool closes_section(std::string_view line)
{
    if (line.empty()) return true;
    for (std::string_view closer : kClosers)
        if (equal_ignore_case(closer, line)) return true;
    return false;
}

std::string station_name(std::string_view number) { return std::string(kStationPrefix) + std::string(number); }

// A reading of the station named `station`, made its book line at once; the
// line is skipped when no station has that name.
void add_reading(Conversion& c, const StationTableOptions& book, const std::string& station, const std::string& target,
                 const Fields& f)
{
    StationTable& stations = c.state.station_table;
    const auto hit = stations.find(station);
    if (!hit) return;
    ReadingView r;
    r.target = target;
    r.dist = single_val(f[kDist]);
    r.v = single_val(f[kV]);
    r.hz = single_val(f[kHz]);
    r.target_height = single_val(f[kTargetHeight]);
    r.code = f[kNote].empty() ? kNoNote : f[kNote];
    finish_reading(stations[hit->index], r, book, c.options.op_note);
}

void read_d50(Conversion& c, const StationTableOptions& book, BaseCoordinates& base)
{
    StationTable& stations = c.state.station_table;
    Section open = Section::None;
    std::string raw;
    while (c.in.next_line(raw)) {
        std::string line = trim(raw);
        if (const Section s = section_named(line); s != Section::None) {
            open = s;
            continue;
        }
        if (closes_section(line)) {
            open = Section::None;
            continue;
        }
        if (open == Section::None) continue;
        if (open == Section::Links) line = replace_all(line, "/", " ");
        line += ' ';
        const Fields f = split_fields(line, " ");
        switch (open) {
        case Section::Stations:
            stations.add(station_name(f[kStationNumber]), single_val(f[kInstrumentHeight]), std::string(kStationNote));
            break;
        case Section::Points:
            add_reading(c, book, station_name(f[kPointStation]), std::string(f[kPointTarget]), f);
            break;
        case Section::Links:
            add_reading(c, book, station_name(f[kLinkStation]), station_name(f[kLinkTarget]), f);
            break;
        case Section::Base:
            base.x = val(f[kBaseX]);
            base.y = val(f[kBaseY]);
            base.z = val(f[kBaseZ]);
            break;
        case Section::None: break;
        }
    }
}

}  // namespace

void imp_d50(ImportContext& ctx, const std::string& input_path)
{
    FailurePolicy failure = FailurePolicy::standard("Nikon D-50", "Importa file Nikon D-50");
    failure.malformed_format_name = "Nikon";
    CollectThenWrite frame(ctx.options, std::move(failure), "Importazione file Nikon D-50 Psion",
                           "Importazione file Nikon D-50 Psion");
    frame.spec.nothing_found_title = "Importazione file Nikon D-50";
    frame.book.all_left_out_is_nothing_found = true;
    BaseCoordinates base;
    // The base coordinates, held in double precision, each with the blank
    // before a value that is not negative.
    frame.before_writing = [&base](StationTableOptions& book) {
        RecordLine r;
        r.literal(str_double(base.x)).literal(str_double(base.y)).literal(str_double(base.z));
        book.origin_line = r.str();
    };
    const StationTableOptions& book = frame.book;
    frame.run(ctx, input_path, [&book, &base](Conversion& c) { read_d50(c, book, base); });
}

}  // namespace qrb

#include "book/station_table.hpp"

#include "book/extra_tags.hpp"

#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

bool nothing_found(const WorkState& state, const StationTableOptions& options)
{
    using NF = StationTableOptions::NothingFound;
    if (options.found_elsewhere && options.found_elsewhere(state)) return false;
    const NF test = options.nothing_found;
    const bool no_stations = state.station_table.empty();
    const bool no_known = state.known_points.empty();
    const bool no_bases = state.gnss_base_table.empty();
    const bool no_geo = state.geo_point_table.empty();
    switch (test) {
    case NF::Stations: return no_stations;
    case NF::StationsKnownPoints: return no_stations && no_known;
    case NF::StationsBasesKnownPoints: return no_stations && no_known && no_bases;
    case NF::StationsBasesKnownGeoPoints: return no_stations && no_known && no_bases && no_geo;
    }
    return no_stations;
}

// The book line of one reading, by the options, appended to `out` (a string
// or a block) with its line end.
template <class Out>
void append_station_reading_line(Out& out, const ReadingView& reading, const StationTableOptions& options,
                                 int op_note)
{
    using F6 = StationTableOptions::Field6;
    using F7 = StationTableOptions::Field7;
    const std::string_view field6 = options.field6 == F6::Code ? reading.code : reading.note;
    std::string field7;
    switch (options.field7) {
    case F7::ByOpNote: field7 = code_by_op_note(field6, op_note); break;
    case F7::AlwaysUpper: field7 = ucase(field6); break;
    case F7::AlwaysNN: field7 = "NN"; break;
    case F7::Code: field7 = reading.code; break;
    }
    if (!options.upper_case_names)
        return append_reading_line(out, reading, field6, field7, options.leading_blank, true);
    const std::string upper_target = ucase(reading.target);
    ReadingView upper = reading;
    upper.target = upper_target;
    append_reading_line(out, upper, field6, field7, options.leading_blank, true);
}

// The block of a station after its tag: name, height, note, then its
// finished lines and its other readings' lines, each ended by CR LF. The head
// and the readings' lines are made into `head` and `tail`; the finished lines
// are the station's own.
struct StationBlock {
    std::string_view head, finished, tail;
};

// The head of a station's block: name, height and note, each on its line.
void append_station_head(std::string& head, const StationRecord& station, const StationTableOptions& options)
{
    auto value = [&head](std::string_view text) {
        append_field_text(head, text);
        head += "\r\n";
    };
    value(options.upper_case_names ? ucase(station.name) : station.name);
    value(options.leading_blank ? str_single(station.height) : num_single(station.height));
    value(station.note);
}

// The lines of the station's readings not yet finished.
void append_open_reading_lines(std::string& out, const StationRecord& station, const StationTableOptions& options,
                               int op_note)
{
    for (const Reading& reading : station.readings) append_station_reading_line(out, reading.view(), options, op_note);
}

StationBlock station_block(std::string& head, std::string& tail, const StationRecord& station,
                           const StationTableOptions& options, int op_note)
{
    append_station_head(head, station, options);
    append_open_reading_lines(tail, station, options, op_note);
    return {head, station.finished_lines.view(), tail};
}

void append_station_block(std::string& out, const StationRecord& station, const StationTableOptions& options,
                          int op_note)
{
    append_station_head(out, station, options);
    out += station.finished_lines.view();
    append_open_reading_lines(out, station, options, op_note);
}

}  // namespace

void finish_reading(StationRecord& station, const ReadingView& reading, const StationTableOptions& options,
                    int op_note)
{
    station.readings_sized = true;
    append_station_reading_line(station.finished_lines, reading, options, op_note);
    ++station.finished_count;
}

void finish_readings(StationRecord& station, const StationTableOptions& options, int op_note)
{
    for (const Reading& reading : station.readings) finish_reading(station, reading.view(), options, op_note);
    station.readings.clear();
}

Reading& add_reading_finishing_last(StationRecord& station, const StationTableOptions& options, int op_note)
{
    finish_readings(station, options, op_note);
    return station.add_reading();
}

void finish_stations_on_add(StationTable& table, const StationTableOptions& options, int op_note)
{
    table.finish_on_add([&options, op_note](const StationRecord& station, std::string& text) {
        append_station_block(text, station, options, op_note);
    });
}

namespace {

// A station without readings that is left out of the book: reported as the
// options say (a failure without a case of its own ends the conversion).
void report_left_out(Conversion& conv, const std::string& name, const StationTableOptions& options)
{
    const FailurePolicy& policy = conv.spec.failure;
    if (options.empty_station == StationTableOptions::EmptyStation::OwnWarning) {
        conv.box(options.empty_station_text, kAttention, Icon::Exclamation);
    } else if (policy.subscript) {
        conv.box(station_without_readings_text(policy, cp1252_to_utf8(name)),
                 policy.subscript_title.empty() ? policy.title : policy.subscript_title, Icon::Exclamation);
    } else {
        fail(kSubscript);
    }
}

bool written_as_block(std::size_t reading_count, bool readings_sized, const StationTableOptions& options)
{
    return reading_count > 0 ||
           (options.empty_station == StationTableOptions::EmptyStation::BareBlock && readings_sized);
}

// Each station in table order, the finished ones first: `block` for one
// written as a block (its text after the tag, in parts), `left_out` (its
// name) for one left out.
void for_each_station(const Conversion& conv, const StationTableOptions& options,
                      const std::function<void(const StationBlock&)>& block,
                      const std::function<void(const std::string&)>& left_out)
{
    const StationTable& table = conv.state.station_table;
    table.finished().for_each([&](const FinishedStation& station) {
        if (written_as_block(station.reading_count, station.readings_sized, options))
            block({station.text, {}, {}});
        else
            left_out(std::string(station.name));
    });
    std::string head;
    std::string tail;
    for (const StationRecord& station : table) {
        if (written_as_block(station.reading_count(), station.readings_sized, options)) {
            head.clear();
            tail.clear();
            block(station_block(head, tail, station, options, conv.options.op_note));
        } else {
            left_out(station.name);
        }
    }
}

// Every station is left out and there is nothing else to write.
bool all_left_out(const WorkState& state, const StationTableOptions& options)
{
    if (!state.known_points.empty() || !state.gnss_base_table.empty() || !state.geo_point_table.empty()) return false;
    if (options.found_elsewhere && options.found_elsewhere(state)) return false;
    bool any_block = false;
    state.station_table.finished().for_each([&any_block, &options](const FinishedStation& station) {
        any_block = any_block || written_as_block(station.reading_count, station.readings_sized, options);
    });
    for (const StationRecord& station : state.station_table)
        any_block = any_block || written_as_block(station.reading_count(), station.readings_sized, options);
    return !any_block;
}

}  // namespace

bool write_station_table(Conversion& conv, const StationTableOptions& options)
{
    WorkState& state = conv.state;
    if (nothing_found(state, options)) return false;
    auto left_out = [&conv, &options](const std::string& name) { report_left_out(conv, name, options); };
    if (options.all_left_out_is_nothing_found && all_left_out(state, options)) {
        for_each_station(conv, options, [](const StationBlock&) {}, left_out);
        return false;
    }
    if (!conv.spec.keep_header) write_header(conv.out, options.header);
    if (options.write_gnss_bases) options.write_gnss_bases(conv);

    for_each_station(
        conv, options,
        [&conv](const StationBlock& block) {
            conv.out.tag("#stazione#");
            for (const std::string_view text : {block.head, block.finished, block.tail}) conv.out.lines(text);
        },
        left_out);

    const ExtraTags* extra = options.extra_tags;
    if (extra) write_alignments(conv.out, extra->alignments);
    if (options.known_points)
        for (const std::string_view item : state.known_points) {
            conv.out.tag("#passnoto#");
            conv.out.line(item);
        }
    if (extra) write_levels(conv.out, extra->levels);
    if (options.write_geo_points) options.write_geo_points(conv);
    if (extra) {
        write_reference_points(conv.out, extra->reference_points);
        write_image_folder(conv.out, extra->image_folder);
    }
    // Every station without readings, every base without vectors: nothing
    // was found after all.
    if (!conv.out.has_records()) return false;
    if (options.origin_line.empty()) {
        write_trailer(conv.out);
    } else {
        conv.out.tag("#origine#");
        conv.out.line(options.origin_line);
    }
    return true;
}

}  // namespace qrb

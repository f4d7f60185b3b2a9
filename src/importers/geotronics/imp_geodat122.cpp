// Geodat 122-124 DataLink recordings (also "Trimble (ex Geotronics)"): label
// lines collected into stations and readings. A station line makes the
// station of that name current, adding it when new; a point line opens a
// reading of the current station; value lines fill the current reading. The
// header is written once the first line is read, the stations at the end; a
// book without stations keeps the header (an empty file has none).
#include <optional>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/geotronics/label_lines.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importazione file Geodat";

class Geodat122Reader {
public:
    Geodat122Reader(const StationTableOptions& book, int op_note) : book_(book), op_note_(op_note) {}

    void read(Conversion& c)
    {
        std::string raw;
        if (!c.in.next_line(raw)) return;
        label::LabelLine line = label::trimmed_cut(raw);
        const std::string_view type = survey_type_text(survey_type_iz_else_od(c.options));
        write_header(c.out, line.label == "50" ? line.value : std::string("NESSUNO"),
                     book_text("Località sconosciuta"), type, "Geodat - Trimble - Geotronics");
        if (line.label == "2") handle(c.state.station_table, line);
        while (c.in.next_line(raw)) handle(c.state.station_table, label::trimmed_cut(raw));
    }

private:
    // The reading the value lines fill (the last one of its station), or
    // nothing.
    Reading* current_reading(StationTable& stations)
    {
        if (station_ && reading_open_) return &stations[*station_].readings.back();
        // A line naming what does not exist is ignored, and so are the value
        // lines after it until the next point line.
        reading_open_ = false;
        return nullptr;
    }

    void handle(StationTable& stations, const label::LabelLine& line)
    {
        const std::string& label = line.label;
        if (label == "2") {
            // The reading open so far never changes again: it is made its
            // book line now.
            if (station_ && reading_open_) finish_readings(stations[*station_], book_, op_note_);
            if (const auto hit = stations.find(line.value)) {
                station_ = hit->index;
            } else {
                stations.add(line.value, 0, "stazione").size_readings();
                station_ = stations.size() - 1;
            }
            // Value lines before the next point line belong to no reading,
            // also when an earlier station is current again.
            reading_open_ = false;
        } else if (label == "4") {
            code_ = normalize_name(line.value);
        } else if (label == "3") {
            if (!station_) reading_open_ = false;
            else stations[*station_].height = single_val(normalize_name(line.value));
        } else if (label == "5") {
            if (!station_) {
                reading_open_ = false;
                return;
            }
            // Only the current reading may still change: the one before it
            // in the station is final.
            Reading& r = add_reading_finishing_last(stations[*station_], book_, op_note_);
            r.target = normalize_name(line.value);
            r.code = code_;
            reading_open_ = true;
        } else if (label == "9" || label == "11") {
            if (Reading* r = current_reading(stations)) r->dist = single_val(normalize_name(line.value));
        } else if (label == "7") {
            if (Reading* r = current_reading(stations)) r->hz = single_val(line.value);
        } else if (label == "8" || label == "49") {
            if (Reading* r = current_reading(stations)) r->v = single_val(line.value);
        } else if (label == "6") {
            if (Reading* r = current_reading(stations)) r->target_height = single_val(line.value);
        }
    }

    const StationTableOptions& book_;
    int op_note_;
    std::optional<std::size_t> station_;
    bool reading_open_ = false;
    std::string code_;
};

}  // namespace

void imp_geodat122(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::older("Geodat", kTitle), kTitle, {});
    frame.spec.keep_header = true;
    frame.book.upper_case_names = true;
    // A station without readings is written as its bare block.
    frame.book.empty_station = StationTableOptions::EmptyStation::BareBlock;
    Geodat122Reader reader(frame.book, ctx.options.op_note);
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

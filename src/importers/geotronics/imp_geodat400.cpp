// Geodat 400/500 recordings: label lines without record marks. The first
// station label met (2, 3 or 1) opens every station from then on, and the
// first reading label met (4, 5, 9 or 11, 7, 8 or 49, 6) opens every reading;
// the other labels fill the current station or its last reading. Lines are
// cut raw: labels and values as they stand. The header is written before
// reading, the stations at the end.
#include <optional>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/geotronics/label_lines.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importazione file Geodat";

enum class Field { None, StationName, StationHeight, StationNote, Note, Target, Distance, Hz, Vertical, TargetHeight };

struct LabelField {
    std::string_view label;
    Field field;
};

// Labels 9 and 11, and 8 and 49, are one label each.
constexpr LabelField kLabels[] = {
    {"2", Field::StationName}, {"3", Field::StationHeight}, {"1", Field::StationNote}, {"4", Field::Note},
    {"5", Field::Target},      {"9", Field::Distance},      {"11", Field::Distance},   {"7", Field::Hz},
    {"8", Field::Vertical},    {"49", Field::Vertical},     {"6", Field::TargetHeight},
};

Field field_of(std::string_view label)
{
    for (const LabelField& l : kLabels)
        if (l.label == label) return l.field;
    return Field::None;
}

bool is_station_field(Field f) { return f == Field::StationName || f == Field::StationHeight || f == Field::StationNote; }

// A numeric value: a decimal comma read as a point.
float number(const std::string& value) { return single_val(normalize_name(value)); }

class Geodat400Reader {
public:
    void read(Conversion& c)
    {
        const std::string_view type = survey_type_text(survey_type_iz_else_od(c.options));
        write_header(c.out, "GEODAT 400/500", book_text("Località sconosciuta"), type,
                     "Importazione file formato Geodat 400/500");
        std::string raw;
        while (c.in.next_line(raw)) {
            const label::LabelLine line = label::raw_cut(raw);
            const Field f = field_of(line.label);
            if (f == Field::None) continue;
            if (is_station_field(f))
                station_line(c.state.station_table, f, line.value);
            else
                reading_line(c.state.station_table, f, line.value);
        }
    }

private:
    void station_line(StationTable& stations, Field f, const std::string& value)
    {
        if (stations.empty() && !station_opener_) station_opener_ = f;
        if (f == station_opener_) stations.add({});
        if (stations.empty()) return;
        const std::size_t index = stations.size() - 1;
        if (f == Field::StationName) stations.rename(index, value);
        if (f == Field::StationHeight) stations[index].height = number(value);
        if (f == Field::StationNote) stations[index].note = value;
    }

    void reading_line(StationTable& stations, Field f, const std::string& value)
    {
        // The opener is learnt also from a line before any station, which
        // itself fills nothing.
        const bool no_readings = stations.empty() || stations.back().readings.empty();
        if (no_readings && !reading_opener_) reading_opener_ = f;
        if (stations.empty()) return;
        ReadingList& readings = stations.back().readings;
        if (f == reading_opener_)
            stations.back().add_reading();
        else if (readings.empty())
            return;
        Reading& r = readings.back();
        switch (f) {
        case Field::Note: r.code = value; break;
        case Field::Target: r.target = value; break;
        case Field::Distance: r.dist = number(value); break;
        case Field::Hz: r.hz = number(value); break;
        case Field::Vertical: r.v = number(value); break;
        case Field::TargetHeight: r.target_height = number(value); break;
        default: break;
        }
    }

    std::optional<Field> station_opener_;
    std::optional<Field> reading_opener_;
};

}  // namespace

void imp_geodat400(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::older("Geodat", kTitle), kTitle, {});
    frame.spec.keep_header = true;
    frame.book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    frame.book.empty_station_text =
        "Il file Geodat contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
    Geodat400Reader reader;
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

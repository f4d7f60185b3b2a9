// GPS kit export (.PGP): a base line gives a base by latitude, longitude and
// height; each point line after it gives a baseline from that base, the
// difference of the two geocentric positions. The data lines are read twice:
// cut at "|" for the names and heights, cut at "§" for the position, PDOP
// and covariance.
#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/importers.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file PFCAD GPS Kit";
constexpr const char* kSection = "\xA7";  // "§" in Windows-1252
// A "§" stored in UTF-8 reads as "Â§": the "Â" is dropped from every field.
constexpr const char* kUtf8Lead = "\xC2";

void cut(WorkState& state, const char* separator)
{
    split_fields(state, separator);
    for (std::size_t k = 1; k <= 22; ++k) state.line_fields[k] = replace_all(state.line_fields[k], kUtf8Lead, "");
}

// What both kinds of data line give.
struct DataLine {
    std::string name;
    std::string note;
    float antenna_height = 0;
    Ecef position;
    float pdop = 0;
    std::string covariance;
};

// Reads the current work line, already cut at "|".
DataLine read_data_line(WorkState& state)
{
    const auto& f = state.line_fields;
    DataLine d;
    d.name = f[2];
    const double h = val(f[5]);
    d.antenna_height = to_single(val(f[6]));
    d.note = f[7].empty() ? "Nessuna" : f[7];
    cut(state, kSection);
    const double lat = degrees_to_radians(val(replace_all(f[2], "Lat:", "")));
    const double lon = degrees_to_radians(val(replace_all(f[3], "Lon:", "")));
    d.position = wgs84_to_ecef(lat, lon, h);
    d.pdop = to_single(val(replace_all(f[10], "PDOP:", "")));
    d.covariance = replace_all(f[20], "MATRIXCOV:", "");
    return d;
}

void read_pgp(Conversion& c)
{
    GnssBaseTable& bases = c.state.gnss_base_table;
    std::string line;
    while (c.in.next_line(line)) {
        if (line == "[#<POINT]" || line == "[#POINT>]") continue;
        c.state.work_line = line;
        cut(c.state, "|");
        const std::string type = c.state.line_fields[1];
        if (type == "1") {
            const DataLine d = read_data_line(c.state);
            GnssBaseRecord& base = bases.add(d.name);
            base.antenna_height = d.antenna_height;
            base.note = d.note;
            base.x = d.position.x;
            base.y = d.position.y;
            base.z = d.position.z;
        } else if (type == "2" && !bases.empty()) {
            const DataLine d = read_data_line(c.state);
            GnssBaseRecord& base = bases[bases.size() - 1];
            GnssVector& v = base.add_vector();
            v.point = d.name;
            v.antenna_height = d.antenna_height;
            v.note = d.note;
            v.code = ucase(d.note);
            // A difference beyond the double range fails here, while reading,
            // so that no book is begun that could not be finished.
            v.dx = to_double(d.position.x - base.x);
            v.dy = to_double(d.position.y - base.y);
            v.dz = to_double(d.position.z - base.z);
            v.covariance = d.covariance;
            v.pdop = d.pdop;
        }
    }
}

}  // namespace

void imp_pgp(ImportContext& ctx, const std::string& input_path)
{
    ConverterSpec spec;
    spec.failure = FailurePolicy::standard("PFCAD GPS Kit", kTitle).without_subscript();
    spec.clear_gnss = true;
    spec.scratch_lists = {0, 1, 2, 3};
    spec.success_title = kTitle;
    run_converter(ctx, input_path, spec, read_pgp, [](Conversion& c) {
        StationTableOptions o;
        o.title = "Importazione PFCAD GPS Kit";
        o.survey_type = survey_type(c.options);
        o.note = "";
        o.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
        o.nothing_found_needs_list1_empty = true;
        o.nothing_found_title = "Importazione PFCAD GPS Kit";
        GnssBookOptions gnss;
        gnss.shape = VectorShape::B;
        gnss.tail = VectorTail::Pdop;
        gnss.current_date_time = true;
        gnss.empty_base_text = "Il file PFCAD GPS Kit contiene una base GPS senza nessuna lettura. Verrà ignorata "
                               "nell'importazione";
        o.write_gnss_bases = gnss_bases_writer(std::move(gnss));
        return write_station_table(c, o);
    });
}

}  // namespace qrb

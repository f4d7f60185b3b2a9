// GPS kit export (.PGP): a base line gives a base by latitude, longitude and
// height; each point line after it gives a baseline from that base, the
// difference of the two geocentric positions. The data lines are read twice:
// cut at "|" for the names and heights, cut at "§" for the position, PDOP
// and covariance.
#include "book/frames.hpp"
#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file PFCAD GPS Kit";
constexpr const char* kSection = "\xA7";  // "§" in Windows-1252
constexpr const char* kUtf8Lead = "\xC2";

// What both kinds of data line give.
struct DataLine {
    std::string name;
    std::string note;
    float antenna_height = 0;
    Ecef position;
    float pdop = 0;
    std::string covariance;
};

// Reads a data line (without its "Â"s), given its fields cut at "|".
DataLine read_data_line(const std::string& line, const Fields& f)
{
    DataLine d;
    d.name = f[2];
    const double h = val(f[5]);
    d.antenna_height = single_val(f[6]);
    d.note = f[7].empty() ? std::string("Nessuna") : std::string(f[7]);
    const Fields s = split_fields(line, kSection);
    const double lat = degrees_to_radians(val(replace_all(s[2], "Lat:", "")));
    const double lon = degrees_to_radians(val(replace_all(s[3], "Lon:", "")));
    d.position = wgs84_to_ecef(lat, lon, h);
    d.pdop = single_val(replace_all(s[10], "PDOP:", ""));
    d.covariance = replace_all(s[20], "MATRIXCOV:", "");
    return d;
}

void read_pgp(Conversion& c)
{
    GnssBaseTable& bases = c.state.gnss_base_table;
    std::string line;
    while (c.in.next_line(line)) {
        if (line == "[#<POINT]" || line == "[#POINT>]") continue;
        // A "§" stored in UTF-8 reads as "Â§": the "Â" goes.
        const std::string clean = replace_all(line, kUtf8Lead, "");
        const Fields f = split_fields(clean, "|");
        const std::string_view type = f[1];
        if (type == "1") {
            const DataLine d = read_data_line(clean, f);
            GnssBaseRecord& base = bases.add(d.name);
            base.antenna_height = d.antenna_height;
            base.note = d.note;
            base.x = d.position.x;
            base.y = d.position.y;
            base.z = d.position.z;
        } else if (type == "2" && !bases.empty()) {
            const DataLine d = read_data_line(clean, f);
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
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("PFCAD GPS Kit", kTitle).without_subscript(),
                           "Importazione PFCAD GPS Kit", "");
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    GnssBookOptions gnss;
    gnss.shape = VectorShape::B;
    gnss.tail = VectorTail::Pdop;
    gnss.current_date_time = true;
    gnss.empty_base_text = "Il file PFCAD GPS Kit contiene una base GPS senza nessuna lettura. Verrà ignorata "
                           "nell'importazione";
    frame.book.write_gnss_bases = gnss_bases_writer(std::move(gnss));
    frame.run(ctx, input_path, read_pgp);
}

}  // namespace qrb

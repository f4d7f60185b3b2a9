// Survey Controller job file (.dc), older record layout: total-station
// set-ups and GNSS bases with polar vectors (length, zenith, azimuth).
#include <cmath>

#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gnss/trimble_dc.hpp"

namespace qrb {

namespace {

class DcReader {
public:
    void read(Conversion& c)
    {
        total_station_.read(c, [this, &c](const std::string& code, const std::string& line) {
            GnssBaseTable& bases = c.state.gnss_base_table;
            if (code == "15")
                read_base(c, line);
            else if (code == "13" && !bases.empty())
                read_base_position(bases[bases.size() - 1], line);
            else if (code == "57")
                rover_antenna_height_ = single_val(trim(mid(line, 5)));
            else if (code == "66" && !bases.empty())
                read_vector(bases[bases.size() - 1], line);
        });
    }

    const trimble_dc::TotalStationRecords& records() const { return total_station_; }

private:
    static void read_base(Conversion& c, const std::string& line)
    {
        const std::int32_t number = to_int32(val(trim(mid(line, 5, 4))));
        if (number == 0) {
            c.box("Nome stazione non valido.", trimble_dc::kTitle, Icon::Exclamation);
            throw StopConversion{};
        }
        GnssBaseRecord& base = c.state.gnss_base_table.add(std::to_string(number));
        base.antenna_height = single_val(mid(line, 68, 10));
        const std::string note = mid(line, 79);
        base.note = trim(note).empty() ? "stazione_gps" : note;
    }

    static void read_base_position(GnssBaseRecord& base, const std::string& line)
    {
        const double lat = degrees_to_radians(val(trim(mid(line, 6, 16))));
        const double lon = degrees_to_radians(val(trim(mid(line, 22, 16))));
        const Ecef xyz = wgs84_to_ecef(lat, lon, val(trim(mid(line, 38, 10))));
        base.x = xyz.x;
        base.y = xyz.y;
        base.z = xyz.z;
    }

    void read_vector(GnssBaseRecord& base, const std::string& line) const
    {
        GnssVector& v = base.add_vector();
        const std::int32_t number = to_int32(val(trim(mid(line, 9, 4))));
        v.point = number != 0 ? std::to_string(number) : "non_valido";
        const double length = val(mid(line, 13, 10));
        const double zenith = gon_to_radians(val(mid(line, 23, 10)));
        const double azimuth = gon_to_radians(val(mid(line, 33, 10)));
        v.dx = length * std::sin(zenith) * std::sin(azimuth);
        v.dy = length * std::sin(zenith) * std::cos(azimuth);
        v.dz = length * std::cos(zenith);
        v.antenna_height = single_val(mid(line, 43, 10));
        if (v.antenna_height == 0) v.antenna_height = rover_antenna_height_;
        const std::string code = trim(mid(line, 53));
        v.code = code.empty() ? "nn" : code;
    }

    trimble_dc::TotalStationRecords total_station_;
    float rover_antenna_height_ = 0;  // for vectors that give none
};

}  // namespace

void imp_dc(ImportContext& ctx, const std::string& input_path)
{
    DcReader reader;
    CollectThenWrite frame =
        trimble_dc::frame(ctx.options, FailurePolicy::standard("Trimble", trimble_dc::kTitle), reader.records());
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    GnssBookOptions gnss;
    gnss.shape = VectorShape::A;
    gnss.tail = VectorTail::ThreeTwo;
    gnss.empty_base_text = "Il file Trimble dc contiene una stazione GPS senza nessuna lettura. Verrà "
                           "ignorata nell'importazione";
    frame.book.write_gnss_bases = gnss_bases_writer(std::move(gnss));
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

// Survey Controller job file (.dc) in the record layout of version 6:
// total-station set-ups, GNSS bases with their baselines (covariance and
// PDOP) and points given by latitude, longitude and height.
#include <optional>

#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gnss/trimble_dc.hpp"

namespace qrb {

namespace {

class Dc6Reader {
public:
    void read(Conversion& c)
    {
        total_station_.read(c, [this, &c](const std::string& code, const std::string& line) {
            if (code == "66")
                read_geo_point(c.state.geo_point_table, line);
            else if (code == "73")
                read_base(c.state, line);
            else if (code == "57")
                antenna_height_ = single_val(trim(mid(line, 5)));
            else if (code == "67")
                read_vector(c.state.gnss_base_table, line);
            else if (code == "59")
                read_covariance(c.state.gnss_base_table, line);
            else if (code == "62")
                read_pdop(c.state.gnss_base_table, line);
            else if (code == "E2")
                antenna_offset_ = single_val(trim(mid(line, 99)));
        });
    }

    const trimble_dc::TotalStationRecords& records() const { return total_station_; }

private:
    float rover_antenna_height() const { return antenna_height_ + antenna_offset_; }

    void read_geo_point(GeoPointTable& points, const std::string& line) const
    {
        GeoPointRecord p;
        p.name = trim(mid(line, 5, 16));
        const double lat = val(mid(line, 21, 16));
        const double lon = val(mid(line, 37, 16));
        p.h = val(mid(line, 53, 16));
        p.antenna_height = rover_antenna_height();
        p.note = trim(mid(line, 69, 16));
        const bool gon = mid(line, 85, 1) == "2";
        p.lat = gon ? gon_to_radians(lat) : degrees_to_radians(lat);
        p.lon = gon ? gon_to_radians(lon) : degrees_to_radians(lon);
        points.add(std::move(p));
    }

    // A base met again (in any case) becomes current again, and its vectors
    // continue its numbering. Its position is that of the geographic point of
    // the same name read so far.
    void read_base(WorkState& state, const std::string& line)
    {
        const std::string name = trim(mid(line, 5, 16));
        current_base_ = state.gnss_base_table.find_or_add(name).index;
        GnssBaseRecord& base = state.gnss_base_table[*current_base_];
        base.antenna_height = 0;
        const Ecef xyz = find_point_ecef(name, state.geo_point_table);
        base.x = xyz.x;
        base.y = xyz.y;
        base.z = xyz.z;
    }

    GnssBaseRecord* current_base(GnssBaseTable& bases) const
    {
        return current_base_ ? &bases[*current_base_] : nullptr;
    }

    // The last vector of the current base, if any.
    GnssVector* current_vector(GnssBaseTable& bases) const
    {
        GnssBaseRecord* base = current_base(bases);
        return base && !base->vectors.empty() ? &base->vectors.back() : nullptr;
    }

    void read_vector(GnssBaseTable& bases, const std::string& line) const
    {
        GnssBaseRecord* base = current_base(bases);
        if (!base) return;
        GnssVector& v = base->add_vector();
        v.point = trim(mid(line, 5, 16));
        v.dx = val(mid(line, 21, 16));
        v.dy = val(mid(line, 37, 16));
        v.dz = val(mid(line, 53, 16));
        v.antenna_height = rover_antenna_height();
        const std::string note = trim(mid(line, 69, 16));
        v.note = note.empty() ? "nn" : note;
        v.code = note.empty() ? "NN" : note;
        v.pdop = 3;
    }

    void read_covariance(GnssBaseTable& bases, const std::string& line) const
    {
        GnssVector* v = current_vector(bases);
        if (!v) return;
        v->covariance = trim(mid(line, 23, 16)) + "," + trim(mid(line, 39, 16)) + "," + trim(mid(line, 55, 16)) +
                        "," + trim(mid(line, 71, 16)) + "," + trim(mid(line, 87, 16)) + "," + trim(mid(line, 103));
    }

    void read_pdop(GnssBaseTable& bases, const std::string& line) const
    {
        if (GnssVector* v = current_vector(bases)) v->pdop = single_val(trim(mid(line, 7, 16)));
    }

    trimble_dc::TotalStationRecords total_station_;
    std::optional<std::size_t> current_base_;
    float antenna_height_ = 0;
    float antenna_offset_ = 0;
};

}  // namespace

void imp_dc6(ImportContext& ctx, const std::string& input_path)
{
    Dc6Reader reader;
    CollectThenWrite frame = trimble_dc::frame(
        ctx.options, FailurePolicy::standard("Trimble", trimble_dc::kTitle).without_subscript(), reader.records());
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownGeoPoints;
    GnssBookOptions gnss;
    gnss.shape = VectorShape::B;
    gnss.tail = VectorTail::PdopTwo;
    gnss.date_time = {"11/10/2014", "13:13"};
    gnss.empty_base_text = "Il file Trimble dc contiene una stazione GPS senza nessuna baseline. Verrà "
                           "ignorata nell'importazione";
    frame.book.write_gnss_bases = gnss_bases_writer(std::move(gnss));
    frame.book.write_geo_points = write_geo_points;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

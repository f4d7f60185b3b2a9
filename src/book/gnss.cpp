#include "book/gnss.hpp"

#include <cstdio>

#include "common/number.hpp"

namespace qrb {

GnssDateTime gnss_date_time(const LocalDateTime& when)
{
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", when.day, when.month, when.year);
    std::snprintf(time, sizeof time, "%02d:%02d", when.hour, when.minute);
    return GnssDateTime{date, time};
}

void write_gnss_base_block(BookWriter& out, const GnssBaseRecord& base, const GnssDateTime& when)
{
    out.tag("#stazione_gps#");
    out.value(base.name);
    out.value(str_double(base.x));
    out.value(str_double(base.y));
    out.value(str_double(base.z));
    out.value(str_single(base.antenna_height));
    out.value(base.note);
    out.value("RTK");
    out.value("L2");
    out.value("PDOP");
    out.value("3");
    out.value(when.date);
    out.value(when.time);
    out.value(when.date);
    out.value(when.time);
}

std::string vector_line(const GnssVector& vector, VectorShape shape, VectorTail tail, int op_note)
{
    RecordLine r;
    r.text(vector.point).dbl(vector.dx).dbl(vector.dy).dbl(vector.dz).single(vector.antenna_height);
    if (shape == VectorShape::A)
        r.text(vector.code).text(code_by_op_note(vector.code, op_note));
    else
        r.text(vector.note).text(vector.code);
    r.text(vector.covariance);
    switch (tail) {
    case VectorTail::ThreeTwo: r.literal("3").literal("2"); break;
    case VectorTail::ThreeEmpty: r.literal("3").empty(); break;
    case VectorTail::PdopEmpty: r.single(vector.pdop).empty(); break;
    case VectorTail::Pdop: r.single(vector.pdop); break;
    case VectorTail::PdopTwo: r.single(vector.pdop).literal("2"); break;
    }
    return r.str();
}

namespace {

bool left_out(const GnssVector& vector, const GnssBookOptions& options)
{
    return options.skip_null_vectors && vector.dx == 0 && vector.dy == 0 && vector.dz == 0;
}

}  // namespace

GnssVector& add_vector_finishing_last(GnssBaseRecord& base, const GnssBookOptions& options, int op_note)
{
    for (const GnssVector& vector : base.vectors) {
        if (left_out(vector, options)) continue;
        std::string line = vector_line(vector, options.shape, options.tail, op_note);
        line += "\r\n";
        base.finished_lines.append(line);
    }
    base.finished_count += base.vectors.size();
    base.vectors.clear();
    return base.add_vector();
}

void write_gnss_bases(Conversion& conv, const GnssBookOptions& options)
{
    for (const GnssBaseRecord& base : conv.state.gnss_base_table) {
        if (base.vector_count() == 0) {
            conv.box(options.empty_base_text, kAttention, Icon::Exclamation);
            continue;
        }
        write_gnss_base_block(conv.out, base,
                              options.current_date_time ? gnss_date_time(conv.ctx.now()) : options.date_time);
        conv.out.lines(base.finished_lines.view());
        for (const GnssVector& vector : base.vectors)
            if (!left_out(vector, options))
                conv.out.line(vector_line(vector, options.shape, options.tail, conv.options.op_note));
    }
}

std::function<void(Conversion&)> gnss_bases_writer(GnssBookOptions options)
{
    return [options = std::move(options)](Conversion& conv) { write_gnss_bases(conv, options); };
}

std::string geo_point_line(const GeoPointRecord& point)
{
    RecordLine r;
    r.text(point.name)
        .dbl(point.lat)
        .dbl(point.lon)
        .dbl(point.h)
        .single(point.antenna_height)
        .text(point.note)
        .text(point.code);
    return r.str();
}

void write_geo_points(Conversion& conv)
{
    for (const GeoPointRecord& point : conv.state.geo_point_table) {
        conv.out.tag("#passll#");
        conv.out.line(geo_point_line(point));
    }
}

void write_geo_point_lines(Conversion& conv, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        conv.out.tag("#passll#");
        conv.out.line(line);
    }
}

}  // namespace qrb

// The GNSS items of the survey book and how they plug into the station table.
#include <gtest/gtest.h>

#include <functional>

#include "book/gnss.hpp"
#include "book/skeleton.hpp"
#include "support/harness.hpp"

namespace qrb {
namespace {

using test::crlf;
using test::Harness;
using Lines = std::vector<std::string>;

Lines operator+(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

GnssVector sample_vector()
{
    GnssVector v;
    v.point = "P|1";
    v.dx = 0.25;
    v.dy = -0.25;
    v.dz = 1234567.891234567;
    v.antenna_height = 1.5f;
    v.code = "pt1";
    v.note = "nota";
    v.covariance = "1,2,3,4,5,6";
    v.pdop = 0.75f;
    return v;
}

TEST(GnssBook, VectorLineShapesAndTails)
{
    const struct {
        VectorShape shape;
        VectorTail tail;
        int op_note;
        const char* line;
    } cases[] = {
        {VectorShape::A, VectorTail::ThreeTwo, 1, "P\\1|.25|-.25|1234567.89123457|1.5|pt1|PT1|1,2,3,4,5,6|3|2|"},
        {VectorShape::A, VectorTail::ThreeTwo, 0, "P\\1|.25|-.25|1234567.89123457|1.5|pt1|NN|1,2,3,4,5,6|3|2|"},
        {VectorShape::A, VectorTail::ThreeEmpty, 1, "P\\1|.25|-.25|1234567.89123457|1.5|pt1|PT1|1,2,3,4,5,6|3||"},
        {VectorShape::A, VectorTail::PdopEmpty, 0, "P\\1|.25|-.25|1234567.89123457|1.5|pt1|NN|1,2,3,4,5,6|.75||"},
        {VectorShape::B, VectorTail::Pdop, 1, "P\\1|.25|-.25|1234567.89123457|1.5|nota|pt1|1,2,3,4,5,6|.75|"},
        {VectorShape::B, VectorTail::PdopTwo, 0, "P\\1|.25|-.25|1234567.89123457|1.5|nota|pt1|1,2,3,4,5,6|.75|2|"},
    };
    const GnssVector v = sample_vector();
    for (const auto& c : cases) EXPECT_EQ(vector_line(v, c.shape, c.tail, c.op_note), c.line);

    // A vector that the input gave no covariance for.
    EXPECT_EQ(vector_line(GnssVector{}, VectorShape::A, VectorTail::ThreeTwo, 1), "|0|0|0|0|||0,0,0,0,0,0|3|2|");
}

TEST(GnssBook, GeoPointLine)
{
    GeoPointRecord p;
    p.name = "G1";
    p.lat = 0.785398163397448;
    p.lon = -0.25;
    p.h = 102.5;
    p.antenna_height = 0.5f;
    p.note = "vertice";
    EXPECT_EQ(geo_point_line(p), "G1|.785398163397448|-.25|102.5|.5|vertice||");
    p.code = "VT";
    EXPECT_EQ(geo_point_line(p), "G1|.785398163397448|-.25|102.5|.5|vertice|VT|");
}

TEST(GnssBook, DateAndTimeLines)
{
    const GnssDateTime t = gnss_date_time(LocalDateTime{2009, 1, 2, 3, 4});
    EXPECT_EQ(t.date, "02/01/2009");
    EXPECT_EQ(t.time, "03:04");
}

// A conversion whose tables the test fills, written with the GNSS sections.
test::ConverterFn gnss_converter(std::function<void(WorkState&)> fill, GnssBookOptions gnss,
                                 StationTableOptions::NothingFound nothing_found)
{
    return [fill, gnss, nothing_found](ImportContext& ctx, const std::string& path) {
        ConverterSpec spec;
        spec.failure = FailurePolicy::standard("PROVA", "Importa file Prova");
        spec.success_title = "Importa file Prova";
        spec.nothing_found_title = "Importazione file Prova";
        run_converter(
            ctx, path, spec, [fill](Conversion& c) { fill(c.state); },
            [gnss, nothing_found](Conversion& c) {
                StationTableOptions o;
                o.header = {"Prova", "Nessuna", "IZ", ""};
                o.nothing_found = nothing_found;
                o.write_gnss_bases = gnss_bases_writer(gnss);
                o.write_geo_points = write_geo_points;
                return write_station_table(c, o);
            });
    };
}

const Lines kHeader{"#titolo#", "Prova", "#loc#", "Nessuna", "#tipo#", "IZ", "#angoli#", "CENT", "#note#", ""};
const Lines kTrailer{"#origine#", "0|0|0|"};

TEST(GnssBook, BasesWithoutVectorsAreReportedBetweenTheOthers)
{
    Harness h;
    h.cli();
    h.clock = [] { return LocalDateTime{2021, 10, 1, 14, 5}; };
    GnssBookOptions gnss;
    gnss.empty_base_text = "Base vuota";
    gnss.current_date_time = true;
    const auto fill = [](WorkState& s) {
        GnssBaseRecord& a = s.gnss_base_table.add("A");
        a.x = -4400000.5;
        a.y = 0;
        a.z = 0.25;
        a.antenna_height = -0.5f;
        a.note = "nord";
        a.add_vector().point = "1";
        s.gnss_base_table.add("B");
        GnssBaseRecord& c = s.gnss_base_table.add("C");
        c.x = 4400000.5;
        c.y = -1;
        c.z = 1e-5;
        c.antenna_height = 1.6f;
        c.add_vector().point = "2";
        GeoPointRecord p;
        p.name = "G";
        s.geo_point_table.add(p);
    };
    const auto r = h.run(gnss_converter(fill, gnss, StationTableOptions::NothingFound::StationsBasesKnownGeoPoints),
                         "");
    const Lines tail{"RTK", "L2", "PDOP", "3", "01/10/2021", "14:05", "01/10/2021", "14:05"};
    EXPECT_EQ(r.book, crlf(kHeader + Lines{"#stazione_gps#", "A", "-4400000.5", " 0", " .25", "-.5", "nord"} + tail +
                           Lines{"1|0|0|0|0|||0,0,0,0,0,0|3|2|", "#stazione_gps#", "C", " 4400000.5", "-1", " 1E-05",
                                 " 1.6", ""} +
                           tail + Lines{"2|0|0|0|0|||0,0,0,0,0,0|3|2|", "#passll#", "G|0|0|0|0|||"} + kTrailer));
    EXPECT_EQ(r.boxes, Lines{"box|excl|Attenzione|Base vuota|ok"});
}

TEST(GnssBook, NothingFoundRules)
{
    using NF = StationTableOptions::NothingFound;
    const std::string kBox = "box|excl|Importazione file Prova|File non valido, importazione fallita.|ok";
    const auto only_geo_point = [](WorkState& s) { s.geo_point_table.add(GeoPointRecord{}); };
    const auto only_base = [](WorkState& s) { s.gnss_base_table.add("A"); };
    GnssBookOptions gnss;
    gnss.empty_base_text = "Base vuota";
    Harness h;
    h.cli();

    // Geographic points count only where the converter says so.
    auto r = h.run(gnss_converter(only_geo_point, gnss, NF::StationsBasesKnownPoints), "");
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, Lines{kBox});
    r = h.run(gnss_converter(only_geo_point, gnss, NF::StationsBasesKnownGeoPoints), "");
    EXPECT_EQ(r.book, crlf(kHeader + Lines{"#passll#", "|0|0|0|0|||"} + kTrailer));
    EXPECT_TRUE(r.boxes.empty());

    // A base without vectors is something found, but writes nothing: the
    // warning, then the nothing-found end.
    r = h.run(gnss_converter(only_base, gnss, NF::StationsBasesKnownPoints), "");
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, (Lines{"box|excl|Attenzione|Base vuota|ok", kBox}));

    r = h.run(gnss_converter([](WorkState&) {}, gnss, NF::StationsBasesKnownGeoPoints), "");
    EXPECT_EQ(r.book, "");
    EXPECT_EQ(r.boxes, Lines{kBox});
}

TEST(GnssBook, NullVectorsLeftOutWhereAskedAndPointLinesFromAList)
{
    Harness h;
    h.cli();
    const auto fill = [](WorkState& s) {
        GnssBaseRecord& a = s.gnss_base_table.add("A");
        a.add_vector().point = "nullo";
        a.add_vector().dz = 1;
        s.gnss_base_table.add("B").add_vector().point = "solo_nullo";
    };
    const Lines points{"P1|.5|.25|10.50|0|nn|NN|", "P2|0|0| 3|0|x|X|"};
    const auto convert = [&](bool skip) {
        return [&, skip](ImportContext& ctx, const std::string& path) {
            ConverterSpec spec;
            spec.failure = FailurePolicy::standard("PROVA", "Importa file Prova");
            run_converter(ctx, path, spec, [&](Conversion& c) { fill(c.state); },
                          [&, skip](Conversion& c) {
                              StationTableOptions o;
                              o.header = {"Prova", "Nessuna", "IZ", ""};
                              GnssBookOptions gnss;
                              gnss.skip_null_vectors = skip;
                              o.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
                              o.write_gnss_bases = gnss_bases_writer(gnss);
                              o.write_geo_points = [&](Conversion& cc) { write_geo_point_lines(cc, points); };
                              return write_station_table(c, o);
                          });
        };
    };
    const Lines tail{"RTK", "L2", "PDOP", "3", "11/10/2009", "13:13", "11/10/2009", "13:13"};
    const Lines block_a = Lines{"#stazione_gps#", "A", " 0", " 0", " 0", " 0", ""} + tail;
    const Lines block_b = Lines{"#stazione_gps#", "B", " 0", " 0", " 0", " 0", ""} + tail;
    const Lines items{"#passll#", points[0], "#passll#", points[1]};

    // A base whose vectors are all null keeps its block, without lines.
    auto r = h.run(convert(true), "");
    EXPECT_EQ(r.book, crlf(kHeader + block_a + Lines{"|0|0|1|0|||0,0,0,0,0,0|3|2|"} + block_b + items + kTrailer));
    r = h.run(convert(false), "");
    EXPECT_EQ(r.book, crlf(kHeader + block_a +
                           Lines{"nullo|0|0|0|0|||0,0,0,0,0,0|3|2|", "|0|0|1|0|||0,0,0,0,0,0|3|2|"} + block_b +
                           Lines{"solo_nullo|0|0|0|0|||0,0,0,0,0,0|3|2|"} + items + kTrailer));
}

}  // namespace
}  // namespace qrb

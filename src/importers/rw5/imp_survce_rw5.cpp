// RW5 raw file of a SurvCE data collector with GNSS work: comma-separated
// records led by a code (exact, case counts), values behind a letter prefix
// that is deleted wherever it stands in the field.
//
//   JB,<job name>                       the book's title and note
//   BP,PN<base>,LA<lat>,LN<lon>,EL<h>,AG<antenna>,..,--<note>   a new base
//   LS,HR<rod height>                   for the points and vectors after it
//   GPS,PN<point>,LA<lat>,LN<lon>,EL<h>,--<note>    a point by lat and lon
//   G1,<base>,PN<point>,DX<dx>,DY<dy>,DZ<dz>         a vector of the last base
//   G2,VX<xx>,VY<yy>,VZ<zz>             variances of the last vector
//   G3,XY<xy>,XZ<xz>,YZ<yz>             covariances of the last vector
//   --HSIG...,..,..,..,PDOP:<pdop>      the PDOP from here on
//
// Latitudes and longitudes are sexagesimal d.mmss; a base's position becomes
// geocentric on WGS84. Bases with their vectors and the points are collected
// and written at the end; there are no total-station readings.
#include "book/frames.hpp"
#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/rw5/rw5_records.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Stonex RW5";
constexpr const char* kFormatName = "Stonex RW5";
constexpr const char* kSuccessTitle = "Importa file Stonex/Carlson RW5";
constexpr const char* kNothingFoundTitle = "Importazione file Stonex/Carlson RW5";
constexpr const char* kDefaultTitle = "Importazione Stonex/Carlson RW5";
constexpr const char* kEmptyBase =
    "Il file Stonex/Carlson RW5 contiene una base GPS senza nessuna lettura. Verrà ignorata nell'importazione";
constexpr const char* kBaseNote = "Base GPS";
constexpr const char* kNoNote = "nn";
// The covariance of a vector whose variances alone were recorded.
constexpr const char* kVariancesOnly = "0,0,0,0,0,0";

constexpr std::string_view kPdopLine = "--HSIG";

using rw5::PrefixedField;

struct BaseFields {
    PrefixedField name, lat, lon, h, antenna_height, note;
};
constexpr BaseFields kBase{{2, "PN"}, {3, "LA"}, {4, "LN"}, {5, "EL"}, {6, "AG"}, {8, "--"}};

constexpr PrefixedField kRodHeight{2, "HR"};

struct PointFields {
    PrefixedField name, lat, lon, h, note;
};
constexpr PointFields kPoint{{2, "PN"}, {3, "LA"}, {4, "LN"}, {5, "EL"}, {6, "--"}};

struct VectorFields {
    PrefixedField point, dx, dy, dz;
};
constexpr VectorFields kVector{{3, "PN"}, {4, "DX"}, {5, "DY"}, {6, "DZ"}};

// Covariance terms 1..6 are XX, XY, XZ, YY, YZ, ZZ: where each record puts
// its three.
struct CovarianceFields {
    PrefixedField first, second, third;
    std::size_t terms[3];  // 0-based
    const char* fixed_text;  // the vector's covariance text; none: the six terms
};
constexpr CovarianceFields kVariances{{2, "VX"}, {3, "VY"}, {4, "VZ"}, {0, 3, 5}, kVariancesOnly};
constexpr CovarianceFields kCovariances{{2, "XY"}, {3, "XZ"}, {4, "YZ"}, {1, 2, 4}, nullptr};

constexpr PrefixedField kPdop{5, "PDOP:"};

using rw5::dbl;
using rw5::single;
using rw5::text;

// A note counts as blank when it holds nothing but blanks.
std::string note_or(const Fields& f, PrefixedField p, const char* fallback)
{
    std::string note = text(f, p);
    return trim(note).empty() ? std::string(fallback) : note;
}

double angle(const Fields& f, PrefixedField p) { return to_double(dms_to_radians(text(f, p))); }

class SurvceReader {
public:
    explicit SurvceReader(const GnssBookOptions& gnss) : gnss_(gnss) {}

    void read(Conversion& c)
    {
        op_note_ = c.options.op_note;
        std::string line;
        while (c.in.next_line(line)) {
            const Fields f = rw5::split_record(line);
            const std::string_view code = f[1];
            if (code == "JB")
                title_ = trim(f[2]);
            else if (code == "BP")
                read_base(c.state.gnss_base_table, f);
            else if (code == "LS")
                rod_height_ = single(f, kRodHeight);
            else if (code == "GPS")
                read_point(f);
            else if (code == "G1")
                read_vector(c.state.gnss_base_table, f);
            else if (code == "G2")
                read_covariance(c.state.gnss_base_table, f, kVariances);
            else if (code == "G3")
                read_covariance(c.state.gnss_base_table, f, kCovariances);
            else if (starts_with(code, kPdopLine))
                read_pdop(c.state.gnss_base_table, f);
        }
    }

    const std::string& title() const { return title_; }
    const std::vector<std::string>& points() const { return points_; }

private:
    static void read_base(GnssBaseTable& bases, const Fields& f)
    {
        GnssBaseRecord& base = bases.add(text(f, kBase.name));
        base.antenna_height = single(f, kBase.antenna_height);
        base.note = note_or(f, kBase.note, kBaseNote);
        const Ecef xyz = wgs84_to_ecef(angle(f, kBase.lat), angle(f, kBase.lon),
                                       dbl(f, kBase.h));
        base.x = to_double(xyz.x);
        base.y = to_double(xyz.y);
        base.z = to_double(xyz.z);
    }

    void read_point(const Fields& f)
    {
        const std::string note = note_or(f, kPoint.note, kNoNote);
        RecordLine r;
        r.text(text(f, kPoint.name))
            .dbl(angle(f, kPoint.lat))
            .dbl(angle(f, kPoint.lon))
            .text(text(f, kPoint.h))
            .single(rod_height_)
            .text(note)
            .text(ucase(note));
        points_.push_back(r.str());
        last_note_ = note;
    }

    void read_vector(GnssBaseTable& bases, const Fields& f)
    {
        if (bases.empty()) return;
        // Later lines change the last vector only.
        GnssVector& v = add_vector_finishing_last(bases[bases.size() - 1], gnss_, op_note_);
        v.point = text(f, kVector.point);
        v.dx = dbl(f, kVector.dx);
        v.dy = dbl(f, kVector.dy);
        v.dz = dbl(f, kVector.dz);
        v.antenna_height = rod_height_;
        v.code = last_note_;
        v.pdop = pdop_;
        v.covariance.clear();
        // A vector's covariance comes from its own records only.
        terms_ = {};
    }

    void read_covariance(GnssBaseTable& bases, const Fields& f, const CovarianceFields& record)
    {
        GnssVector* v = rw5::last_vector(bases);
        if (!v) return;
        const PrefixedField values[] = {record.first, record.second, record.third};
        for (std::size_t k = 0; k < 3; ++k)
            terms_[record.terms[k]] = single(f, values[k]);
        v->covariance = record.fixed_text ? std::string(record.fixed_text) : rw5::covariance_text(terms_);
    }

    void read_pdop(GnssBaseTable& bases, const Fields& f)
    {
        pdop_ = single(f, kPdop);
        if (GnssVector* v = rw5::last_vector(bases)) v->pdop = pdop_;
    }

    const GnssBookOptions& gnss_;
    int op_note_ = 0;
    std::string title_;
    float rod_height_ = 0;
    float pdop_ = 3;
    std::string last_note_;
    rw5::CovarianceTerms terms_{};
    std::vector<std::string> points_;  // finished "#passll#" lines
};

}  // namespace

void imp_survce_rw5(ImportContext& ctx, const std::string& input_path)
{
    GnssBookOptions gnss;
    gnss.tail = VectorTail::PdopEmpty;
    gnss.empty_base_text = kEmptyBase;
    gnss.skip_null_vectors = true;
    SurvceReader reader(gnss);
    CollectThenWrite frame(ctx.options, FailurePolicy::standard(kFormatName, kTitle).without_subscript(),
                           kDefaultTitle, kDefaultTitle);
    frame.spec.success_title = kSuccessTitle;
    StationTableOptions& book = frame.book;
    book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    frame.spec.nothing_found_title = kNothingFoundTitle;
    book.found_elsewhere = [&reader](const WorkState&) { return !reader.points().empty(); };
    book.write_gnss_bases = gnss_bases_writer(gnss);
    book.write_geo_points = [&reader](Conversion& c) { write_geo_point_lines(c, reader.points()); };
    frame.before_writing = [&reader](StationTableOptions& o) {
        if (!reader.title().empty()) o.header.title = o.header.note = reader.title();
    };
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

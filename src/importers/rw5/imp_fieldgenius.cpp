// Raw file of a FieldGenius field controller: comma-separated records led by
// a code (exact, case counts), values behind a two-letter prefix deleted
// wherever it stands in the field (upper case only). Total-station set-ups
// with their readings and GNSS bases with their vectors are collected and
// written at the end.
//
//   JB,<job name>                           the book's note (the last one)
//   VA,PN<base>,..,..,..,..,..,<note>       a new GNSS base
//   AH,..,..,..,RA<antenna height>          for the vectors after it
//   LS,HI<instrument height>,HR<height>     target and antenna height
//   BL,..,PN<point>,DX<dx>,DY<dy>,DZ<dz>,<code>    a vector of the last base
//   G3,XY<xy>,XZ<xz>,YZ<yz>                 covariances of the last vector
//   OC,OP<set-up>,..,..,..,--<note>         a new set-up
//   SS|TR,OP<set-up>,FP<target>,AR<Hz>,ZE<V>,SD<distance>,--<description>
//   --GNSS...,..,..,PDOPMax=<pdop>,..,..,..,..,RefLat=<lat>,RefLon=<lon>,RefHgt=<h>m
//
// A reading goes to the first set-up of its name. The reference position,
// degrees, minutes and seconds with a hemisphere letter, becomes the
// geocentric position (WGS84) of the current base. Angles and distances are
// kept as recorded.
#include <cmath>
#include <optional>

#include "book/frames.hpp"
#include "book/gnss.hpp"
#include "common/geodesy.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/rw5/rw5_records.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Navcom raw";
constexpr const char* kFormatName = "Navcom raw";
constexpr const char* kBookTitle = "Importazione file Navcom FieldGenius";
constexpr const char* kDefaultNote = "Importazione Navcom raw";
constexpr const char* kNothingFoundTitle = "Importazione file Navcom RAW";
constexpr const char* kEmptyBase =
    "Il file Navcom raw contiene una stazione GPS senza nessuna lettura. Verrà ignorata nell'importazione";
constexpr const char* kEmptySetUp =
    "Il file Navcom raw contiene una stazione senza nessuna lettura. Verrà ignorata nell'importazione";
constexpr const char* kBaseNote = "Stazione GPS";
constexpr const char* kNoNote = "Nessuna";
constexpr std::string_view kNoteMark = "--";
const GnssDateTime kBaseDateTime{"08/10/2012", "13:13"};

constexpr std::string_view kReadingCodes[] = {"SS", "TR"};
constexpr std::string_view kGnssLine = "--GNSS";

using rw5::PrefixedField;

constexpr PrefixedField kBaseName{2, "PN"};
constexpr std::size_t kBaseNoteField = 8;
constexpr PrefixedField kAntennaHeight{5, "RA"};
constexpr PrefixedField kInstrumentHeight{2, "HI"};
constexpr PrefixedField kTargetHeight{3, "HR"};

struct VectorFields {
    PrefixedField point, dx, dy, dz;
    std::size_t code;
};
constexpr VectorFields kVector{{3, "PN"}, {4, "DX"}, {5, "DY"}, {6, "DZ"}, 7};

// Covariance terms 1..6 are XX, XY, XZ, YY, YZ, ZZ; a "G3" gives 2, 3 and 5.
constexpr PrefixedField kCovariances[] = {{2, "XY"}, {3, "XZ"}, {4, "YZ"}};
constexpr std::size_t kCovarianceTerms[] = {1, 2, 4};

constexpr PrefixedField kSetUpName{2, "OP"};
constexpr std::size_t kSetUpNote = 6;

struct ReadingFields {
    PrefixedField set_up, target, hz, v, distance;
    std::size_t description;
};
constexpr ReadingFields kReading{{2, "OP"}, {3, "FP"}, {4, "AR"}, {5, "ZE"}, {6, "SD"}, 7};

constexpr PrefixedField kPdop{4, "PDOPMax="};

// One half of the reference position: its key, and the letters of the
// hemispheres where it counts positive and negative.
struct ReferenceAngle {
    std::size_t field;
    std::string_view key;
    std::string_view positive;
    std::string_view negative;
};
constexpr ReferenceAngle kReferenceLatitude{9, "RefLat=", "N", "S"};
constexpr ReferenceAngle kReferenceLongitude{10, "RefLon=", "E", "W"};
constexpr std::size_t kReferenceHeight = 11;
constexpr std::string_view kHeightKey = "RefHgt=";
constexpr std::string_view kMetres = "m";

constexpr std::string_view kDegreeSign = "\xB0";         // Windows-1252
constexpr std::string_view kDegreeSignUtf8 = "\xC2\xB0";  // the same sign stored in UTF-8

using rw5::dbl;
using rw5::single;
using rw5::text;

// A note or description: "--" alone means none; otherwise every "--" goes.
std::string note_text(std::string_view field)
{
    return field == kNoteMark ? std::string(kNoNote) : rw5::less(field, kNoteMark);
}

// Whole minutes or seconds as two digits: padded with zeros, or freed of
// the zeros that lead a longer text ("5" and "005" both give "05").
std::string two_digits(std::string digits)
{
    while (digits.size() > 2 && digits.front() == '0') digits.erase(0, 1);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return digits;
}

// Degrees, minutes and seconds as a d.mmss text: 45°30'15.1234" gives
// "45.30151234", 45°5'3.5" and 45°005'03.5" give "45.05035". Without that
// shape the marks are taken out as they stand.
std::string dms_text(std::string t)
{
    t = replace_all(t, kDegreeSignUtf8, kDegreeSign);
    const auto degree = t.find(kDegreeSign);
    const auto minute = degree == std::string::npos ? std::string::npos : t.find('\'', degree);
    if (minute == std::string::npos) {
        for (const std::string_view mark : {"'", "\"", "."}) t = replace_all(t, mark, "");
        return replace_all(t, kDegreeSign, ".");
    }
    const auto second = t.find('"', minute);
    const std::string minutes = trim(t.substr(degree + 1, minute - degree - 1));
    const std::string seconds = trim(t.substr(minute + 1, second == std::string::npos ? second : second - minute - 1));
    const auto point = seconds.find('.');
    const std::string whole = point == std::string::npos ? seconds : seconds.substr(0, point);
    const std::string decimals = point == std::string::npos ? std::string() : seconds.substr(point + 1);
    return t.substr(0, degree) + "." + two_digits(minutes) + two_digits(whole) + decimals;
}

// A latitude or longitude of the reference position, in radians; negative
// in the southern or western hemisphere.
double reference_angle(const Fields& f, const ReferenceAngle& a)
{
    std::string t = rw5::less(f[a.field], a.key);
    const bool negative = t.find(a.negative) != std::string::npos;
    t = rw5::less(rw5::less(t, a.positive), a.negative);
    const double radians = to_double(dms_to_radians(dms_text(t)));
    return negative ? -std::fabs(radians) : radians;
}

Ecef reference_position(const Fields& f)
{
    const double h = val(rw5::less(rw5::less(f[kReferenceHeight], kHeightKey), kMetres));
    const Ecef xyz =
        wgs84_to_ecef(reference_angle(f, kReferenceLatitude), reference_angle(f, kReferenceLongitude), h);
    return {to_double(xyz.x), to_double(xyz.y), to_double(xyz.z)};
}

class FieldGeniusReader {
public:
    FieldGeniusReader(const StationTableOptions& book, const GnssBookOptions& gnss) : book_(book), gnss_(gnss) {}

    void read(Conversion& c)
    {
        op_note_ = c.options.op_note;
        GnssBaseTable& bases = c.state.gnss_base_table;
        StationTable& set_ups = c.state.station_table;
        std::string line;
        while (c.in.next_line(line)) {
            const Fields f = rw5::split_record(line);
            const std::string_view code = f[1];
            if (code == "JB") {
                job_ = trim(f[2]);
            } else if (code == "VA") {
                GnssBaseRecord& base = bases.add(text(f, kBaseName));
                base.note = f[kBaseNoteField].empty() ? std::string(kBaseNote) : std::string(f[kBaseNoteField]);
            } else if (code == "AH") {
                if (!bases.empty()) antenna_height_ = single(f, kAntennaHeight);
            } else if (code == "LS") {
                target_height_ = antenna_height_ = single(f, kTargetHeight);
                if (current_set_up_) {
                    instrument_height_ = single(f, kInstrumentHeight);
                    set_ups[*current_set_up_].height = instrument_height_;
                }
            } else if (code == "BL") {
                if (!bases.empty()) read_vector(bases[bases.size() - 1], f);
            } else if (code == "G3") {
                if (GnssVector* v = rw5::last_vector(bases)) read_covariances(*v, f);
            } else if (code == "OC") {
                set_ups.add(text(f, kSetUpName), instrument_height_, note_text(f[kSetUpNote]));
                current_set_up_ = set_ups.size() - 1;
            } else if (rw5::one_of(code, kReadingCodes)) {
                if (current_set_up_) read_reading(set_ups, f);
            } else if (starts_with(code, kGnssLine)) {
                read_gnss_line(bases, f);
            }
        }
    }

    const std::string& job() const { return job_; }

private:
    void read_vector(GnssBaseRecord& base, const Fields& f) const
    {
        // Later lines change the last vector only.
        GnssVector& v = add_vector_finishing_last(base, gnss_, op_note_);
        v.point = text(f, kVector.point);
        v.dx = dbl(f, kVector.dx);
        v.dy = dbl(f, kVector.dy);
        v.dz = dbl(f, kVector.dz);
        v.antenna_height = antenna_height_;
        v.code = f[kVector.code];
        v.pdop = pdop_;
        v.covariance.clear();
    }

    void read_covariances(GnssVector& v, const Fields& f)
    {
        for (std::size_t k = 0; k < std::size(kCovariances); ++k)
            terms_[kCovarianceTerms[k]] = single(f, kCovariances[k]);
        v.covariance = rw5::covariance_text(terms_);
    }

    void read_reading(StationTable& set_ups, const Fields& f)
    {
        const std::optional<StationHit> hit = set_ups.find(text(f, kReading.set_up));
        if (!hit) return;
        current_set_up_ = hit->index;
        // A reading never changes after its line: it is made its book line
        // at once.
        const std::string target = text(f, kReading.target);
        const std::string code = ucase(note_text(f[kReading.description]));
        ReadingView r;
        r.target = target;
        r.hz = single(f, kReading.hz);
        r.v = single(f, kReading.v);
        r.dist = single(f, kReading.distance);
        r.target_height = target_height_;
        r.code = code;
        finish_reading(set_ups[hit->index], r, book_, op_note_);
    }

    void read_gnss_line(GnssBaseTable& bases, const Fields& f)
    {
        if (f[kPdop.field].find(kPdop.prefix) != std::string_view::npos) {
            pdop_ = single(f, kPdop);
            if (GnssVector* v = rw5::last_vector(bases)) v->pdop = pdop_;
        }
        if (f[kReferenceLatitude.field].find(kReferenceLatitude.key) != std::string_view::npos) {
            const Ecef xyz = reference_position(f);
            if (bases.empty()) return;
            GnssBaseRecord& base = bases[bases.size() - 1];
            base.x = xyz.x;
            base.y = xyz.y;
            base.z = xyz.z;
        }
    }

    const StationTableOptions& book_;
    const GnssBookOptions& gnss_;
    int op_note_ = 0;
    std::string job_;
    std::optional<std::size_t> current_set_up_;
    float instrument_height_ = 0;
    float target_height_ = 0;
    float antenna_height_ = 0;
    float pdop_ = 3;
    rw5::CovarianceTerms terms_{};
};

}  // namespace

void imp_fieldgenius(ImportContext& ctx, const std::string& input_path)
{
    GnssBookOptions gnss;
    gnss.tail = VectorTail::PdopEmpty;
    gnss.empty_base_text = kEmptyBase;
    gnss.date_time = kBaseDateTime;
    CollectThenWrite frame(ctx.options, FailurePolicy::standard(kFormatName, kTitle), kBookTitle, kDefaultNote);
    StationTableOptions& book = frame.book;
    FieldGeniusReader reader(book, gnss);
    book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    frame.spec.nothing_found_title = kNothingFoundTitle;
    book.empty_station = StationTableOptions::EmptyStation::OwnWarning;
    book.empty_station_text = kEmptySetUp;
    book.write_gnss_bases = gnss_bases_writer(gnss);
    frame.before_writing = [&reader](StationTableOptions& o) {
        if (!reader.job().empty()) o.header.note = reader.job();
    };
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

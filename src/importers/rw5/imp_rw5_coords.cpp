// Coordinate records of a Carlson RW5 file: every "GS" record (the code in
// any case, not trimmed) is a point in the Gauss-Boaga plane, written at once
// as a known point with the digits of the file:
//
//   GS,<name>,N <north>,E <east>,EL <elevation>,<description>
//
// The north and east fields lose every "N" and "E", the elevation every
// "EL", and all three their blanks at both ends; name and description are
// copied as they stand. The book is a list of known points (survey type
// "CO"); a file without any "GS" record gives the nothing-found box and an
// empty book.
#include "book/frames.hpp"
#include "common/text.hpp"
#include "importers/rw5/rw5_records.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Carlson RW5";
constexpr const char* kFormatName = "Carlson RW5";

constexpr std::string_view kPointCode = "GS";
constexpr std::string_view kPlaneLetters[] = {"N", "E"};
constexpr std::string_view kElevationPrefix = "EL";

const BookHeader kHeader{"Importazione Carlson RW5 (coordinate Gauss Boaga)", "Nessuna", "CO",
                         "Importazione coordinate 3D da file Carlson RW5"};

std::string plane_coordinate(std::string_view field)
{
    std::string value(field);
    for (const std::string_view letter : kPlaneLetters) value = rw5::less(value, letter);
    return trim(value);
}

void read_points(Conversion& c)
{
    std::string line;
    while (c.in.next_line(line)) {
        const Fields f = rw5::split_record(line);
        if (!equal_ignore_case(f[1], kPointCode)) continue;
        // The header waits for the first point: a file without any is no book.
        if (!c.out.has_records()) write_header(c.out, kHeader);
        RecordLine r;
        r.text(f[2])
            .text(plane_coordinate(f[4]))
            .text(plane_coordinate(f[3]))
            .text(trim(rw5::less(f[5], kElevationPrefix)))
            .text(f[6]);
        c.out.tag("#passnoto#");
        c.out.line(r.str());
    }
}

}  // namespace

void imp_rw5_coords(ImportContext& ctx, const std::string& input_path)
{
    const Streaming frame(FailurePolicy::standard(kFormatName, kTitle).without_subscript());
    frame.run(ctx, input_path, read_points);
}

}  // namespace qrb

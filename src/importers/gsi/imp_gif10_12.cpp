// Leica (Wild) Gif 10-12: GSI-8 lines read at fixed columns and written as
// they are read. "41" lines open a station, "11" lines are measurements. The
// values are not computed: the digits of each field are copied and the
// decimal point is put at the field's fixed place.
#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_words.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Wild Gif 10-12";

// Columns of the data fields and their whole digits.
constexpr long long kWord1Column = 8;   // block value, point name
constexpr long long kNoteColumn = 13;   // station note: three characters
constexpr long long kWord2Column = 24;  // station name, horizontal angle
constexpr long long kWord3Column = 40;  // instrument height, zenith angle
constexpr long long kWord4Column = 56;  // slope distance
constexpr int kAngleWhole = 3;
constexpr int kLengthWhole = 5;

// A name: the field's value written as a number with all its digits.
std::string name_text(std::string_view line, long long column) { return lcase(num_double(val(mid(line, column, 8)))); }

std::string copied(std::string_view line, long long column, int whole_digits)
{
    return gsi::copied_decimal(line, column, whole_digits, 8 - whole_digits);
}

void read_gif10_12(Conversion& c)
{
    write_header(c.out, "Importazione file", "Nessuna", survey_type(c.options), "Importazione file Wild Gif 10-12");
    bool in_station = false;
    std::string line;
    while (c.in.next_line(line)) {
        const std::string kind = left(line, 2);
        if (kind == "41") {
            if (val(mid(line, kWord1Column, 8)) == 0) continue;
            c.out.tag("#stazione#");
            c.out.value(name_text(line, kWord2Column));
            c.out.value(copied(line, kWord3Column, kLengthWhole));
            c.out.value(mid(line, kNoteColumn, 3));
            in_station = true;
        } else if (kind == "11") {
            // A reading line belongs inside a station block.
            if (!in_station) continue;
            const std::string distance = copied(line, kWord4Column, kLengthWhole);
            RecordLine r;
            r.text(name_text(line, kWord1Column))
                .text(copied(line, kWord2Column, kAngleWhole))
                .text(copied(line, kWord3Column, kAngleWhole))
                .text(val(distance) == 0 ? std::string("INT") : distance)
                .literal("0.00")
                .literal("nn")
                .literal("NN");
            c.out.line(r.str());
        }
    }
}

}  // namespace

void imp_gif10_12(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("GIF", kTitle).end_of_input_only());
    frame.run(ctx, input_path, read_gif10_12);
}

}  // namespace qrb

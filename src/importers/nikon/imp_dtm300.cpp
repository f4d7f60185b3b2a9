// Nikon DTM 300 comma files: one record a line, a comma appended so that
// the last field is read too. Field 2 (trimmed) is the record type: "2" a
// station, "0" a reading. Values go out as the text of their field,
// trimmed; only a distance that reads as 0 becomes "INT". The book is
// written while reading and has no trailer.
#include <string_view>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Nikon DTM-300";
constexpr const char* kSuccess = "File DTM-300 importato con successo.";

constexpr std::string_view kStationType = "2";
constexpr std::string_view kReadingType = "0";

// Fields of both records.
constexpr std::size_t kTypeField = 2;
constexpr std::size_t kNoteField = 3;
constexpr std::size_t kNameField = 4;  // a station's field also holds its height
// Reading record.
constexpr std::size_t kDistField = 5;
constexpr std::size_t kHzField = 6;
constexpr std::size_t kVField = 7;
constexpr std::size_t kTargetHeightField = 8;

// Names are the first four characters of their field, blanks included.
constexpr long long kNameLength = 4;
// A station's height starts at this character of the name field and ends one
// character before the field's (trimmed) end: "0100 1.560m" gives "1.560".
constexpr long long kHeightColumn = 6;

void read_dtm300(Conversion& c)
{
    bool station_written = false;
    std::string line;
    while (c.in.next_line(line)) {
        line += ',';
        const Fields f = split_fields(line, ",");
        const std::string type = trim(f[kTypeField]);
        if (type == kStationType) {
            const std::string field = std::string(f[kNameField]);
            const std::string height_text = trim(mid(field, kHeightColumn));
            // Nothing to shorten fails as a malformed text operation would.
            const std::string height = left(height_text, static_cast<long long>(height_text.size()) - 1);
            c.out.tag("#stazione#");
            c.out.value(left(field, kNameLength));
            c.out.value(height);
            c.out.value(trim(f[kNoteField]));
            station_written = true;
        } else if (type == kReadingType) {
            // A reading before the first station block is not written.
            if (!station_written) continue;
            const std::string note = lcase(trim(f[kNoteField]));
            std::string dist = trim(f[kDistField]);
            if (val(dist) == 0) dist = "INT";
            RecordLine r;
            r.text(left(f[kNameField], kNameLength))
                .text(trim(f[kHzField]))
                .text(trim(f[kVField]))
                .text(dist)
                .text(trim(f[kTargetHeightField]))
                .text(note)
                .text(code_by_op_note(note, c.options.op_note));
            c.out.line(r.str());
        }
    }
}

}  // namespace

void imp_dtm300(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("Nikon DTM-300", kTitle).end_of_input_only());
    frame.spec.success_text = kSuccess;
    frame.header = BookHeader{"Importazione file Nikon DTM-300", "Sconosciuta",
                              ctx.options.tipo_iz ? "IZ" : "OD", "Nessuna"};
    frame.trailer = false;
    frame.run(ctx, input_path, read_dtm300);
}

}  // namespace qrb

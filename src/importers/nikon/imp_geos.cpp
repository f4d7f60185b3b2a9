// Galileo Psion Siscam Geos and Nikon DTM 520 code-line files: each line is
// a two-letter code (any case), a separator character and a value, which is
// taken lower-cased and trimmed. "ST" opens a station, whose next two lines
// may be its "HS" height and "IS" note; "PN" opens a point, whose next five
// lines may give its values. A line "END" ends the data. A station named
// again brings a question whether its readings are wanted once more.
// Written while reading.
#include <string_view>

#include "common/line_reader.hpp"
#include "common/text.hpp"
#include "importers/nikon/code_groups.hpp"

namespace qrb {

namespace {

using nikon::CodedItem;
using nikon::ItemKind;

constexpr const char* kTitle = "Importa file Galileo Psion Siscam Geos";

constexpr std::string_view kEndOfData = "END";
constexpr long long kValueColumn = 4;  // after the code and its separator

nikon::CodeGroupRules geos_rules(const ImportOptions& options)
{
    nikon::CodeGroupRules rules;
    rules.group_size = 5;
    rules.missing_height_text = "Manca l'altezza strumentale della stazione ";
    rules.continue_last_station = true;
    rules.ask_repeated_station = true;
    rules.warn_short_group = true;
    rules.code_from_note = options.op_note == 1;
    return rules;
}

class CodeLines : public nikon::ItemSource {
public:
    explicit CodeLines(LineReader& in) : in_(in) {}

    bool next_outside(CodedItem& item) override
    {
        while (in_.next_line(line_)) {
            if (line_ == kEndOfData) return false;
            if (line_.empty()) continue;
            decode(item);
            return true;
        }
        return false;
    }

    // Reading past the end of the input fails here.
    bool next_inside(CodedItem& item) override
    {
        line_ = in_.read_line();
        decode(item);
        return true;
    }

private:
    // A line shorter than its code and separator has no value to take and
    // fails as a malformed text operation.
    void decode(CodedItem& item) const
    {
        item.value = trim(lcase(right(line_, static_cast<long long>(line_.size()) - (kValueColumn - 1))));
        // Codes in any case; "DT" is a second distance code here.
        item.kind = nikon::kind_of(nikon::kTwoLetterCodes, ucase(left(line_, 2)));
        if (item.kind == ItemKind::SecondDist) item.kind = ItemKind::Dist;
    }

    LineReader& in_;
    std::string line_;
};

}  // namespace

void imp_geos(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("Galileo Psion Siscam Geos", kTitle).end_of_input_only());
    frame.header = BookHeader{"Importazione file", "Sconosciuta", survey_type(ctx.options),
                              "Importazione file Galileo Psion Siscam Geos"};
    nikon::run_code_groups<CodeLines>(ctx, input_path, frame, geos_rules(ctx.options));
}

}  // namespace qrb

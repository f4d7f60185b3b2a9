// Nikon DTM A20 (LG HP1000 CX) files: a sequence of items, each ending at a
// comma or at the end of a line (an item in double quotes may hold commas),
// read two at a time as a key and its value. "st" opens a station, whose
// next two pairs may be its "hs" height and "is" note; "pt" opens a point,
// whose next ten pairs may give its values. Keys are taken lower-cased and
// trimmed, values trimmed. The end of the input is the normal end: a point
// being read is still written. Written while reading.
//
// Here a ticked "Note <-> Codici punto" gives the code "NN" and an unticked
// one the upper-cased note, the other way round from the other formats.
#include <algorithm>
#include <array>
#include <string_view>

#include "common/line_reader.hpp"
#include "common/text.hpp"
#include "importers/nikon/code_groups.hpp"

namespace qrb {

namespace {

using nikon::CodedItem;
using nikon::ItemKind;

constexpr const char* kTitle = "Importa file Nikon DTM A20";

constexpr std::array<nikon::NamedKind, 9> kKeys{{
    {"st", ItemKind::Station},
    {"hs", ItemKind::Height},
    {"is", ItemKind::StationNote},
    {"pt", ItemKind::Point},
    {"hp", ItemKind::TargetHeight},
    {"az1", ItemKind::Hz},
    {"zn1", ItemKind::V},
    {"dt1", ItemKind::Dist},
    {"ip", ItemKind::PointNote},
}};

nikon::CodeGroupRules a20_rules(const ImportOptions& options)
{
    nikon::CodeGroupRules rules;
    rules.group_size = 10;
    rules.missing_height_text = "Manca l'altezza strumentale alla stazione ";
    rules.code_from_note = options.op_note != 1;
    return rules;
}

// The items of the input, line by line. Every line holds at least one item:
// an empty line, or one of blanks only, is one empty item. An item is a view
// into the line read, valid until the next item is asked for.
class ItemStream {
public:
    explicit ItemStream(LineReader& in) : in_(in) {}

    bool next(std::string_view& item)
    {
        while (!pending_) {
            if (!in_.next_line(line_)) return false;
            pending_ = true;
        }
        item = take();
        return true;
    }

private:
    // The item at the front of line_, up to the next comma outside quotes or
    // the line end; line_ keeps what follows the comma.
    std::string_view take()
    {
        std::size_t p = 0;
        while (p < line_.size() && line_[p] == ' ') ++p;
        std::string_view item;
        if (p < line_.size() && line_[p] == '"') {
            const std::size_t close = line_.find('"', p + 1);
            const std::size_t stop = close == std::string_view::npos ? line_.size() : close;
            item = line_.substr(p + 1, stop - p - 1);
            p = stop == line_.size() ? stop : stop + 1;
            // Anything between the closing quote and the comma is dropped.
            p = std::min(line_.find(',', p), line_.size());
        } else {
            const std::size_t stop = std::min(line_.find(',', p), line_.size());
            item = line_.substr(p, stop - p);
            p = stop;
        }
        if (p < line_.size()) {
            line_.remove_prefix(p + 1);  // past the comma: an item follows, empty at the line end
        } else {
            pending_ = false;
        }
        return item;
    }

    LineReader& in_;
    std::string_view line_;
    bool pending_ = false;  // line_ holds a further item
};

// The kind of a key, taken trimmed and in any case.
ItemKind key_kind(std::string_view key) { return nikon::kind_of(kKeys, lcase(trim_view(key))); }

class KeyValuePairs : public nikon::ItemSource {
public:
    explicit KeyValuePairs(LineReader& in) : items_(in) {}

    bool next_outside(CodedItem& item) override { return next_pair(item); }
    bool next_inside(CodedItem& item) override { return next_pair(item); }

private:
    // The key's kind is taken before the value is read: the value may stand
    // on the next line, which ends the key's view.
    bool next_pair(CodedItem& item)
    {
        std::string_view text;
        if (!items_.next(text)) return false;
        const ItemKind kind = key_kind(text);
        if (!items_.next(text)) return false;
        item.kind = kind;
        item.value.assign(trim_view(text));
        return true;
    }

    ItemStream items_;
};

}  // namespace

void imp_dtm_a20(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("Nikon DTM A20", kTitle).end_of_input_only().malformed_only());
    frame.header = BookHeader{"Importazione file", "Sconosciuta", ctx.options.tipo_iz ? "IZ" : "OD",
                              "Importazione file Nikon DTM A20"};
    nikon::run_code_groups<KeyValuePairs>(ctx, input_path, frame, a20_rules(ctx.options));
}

}  // namespace qrb

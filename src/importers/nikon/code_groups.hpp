#pragma once
// The streaming reader shared by the Nikon and Galileo formats of coded
// items: a station item followed by its height and note items, and point
// items each followed by a group of value items (target height, note,
// horizontal and vertical angle, distance). Stations are written as their
// header items are read, each reading as its group is read; values are kept
// as text and written as they stand.
//
// The formats differ in how items are read (a code line, or a key and value
// pair), in the size of a point group, in what the end of the input means
// inside a station or a group, and in a few checks; `CodeGroupRules` holds
// those differences.
#include <string>
#include <string_view>

#include "book/frames.hpp"
#include "importers/nikon/codes.hpp"

namespace qrb::nikon {

struct CodedItem {
    ItemKind kind = ItemKind::Other;
    std::string value;
};

// Where the items come from.
class ItemSource {
public:
    virtual ~ItemSource() = default;
    // The next item where a station or a point may begin; false at the end of
    // the data.
    virtual bool next_outside(CodedItem& item) = 0;
    // The next item of a station header or a point group; false at the end
    // of the input (a source that treats that end as a failure fails itself).
    virtual bool next_inside(CodedItem& item) = 0;
};

struct CodeGroupRules {
    // Items read after a point item before its reading is written.
    int group_size = 5;
    // "Manca l'altezza strumentale ..." up to the station name (UTF-8).
    std::string_view missing_height_text;
    // A station named as the last block written goes on in that block.
    bool continue_last_station = false;
    // A station name written before brings a question whether to import its
    // readings again.
    bool ask_repeated_station = false;
    // A group closed by the next station or point within its first three
    // items is reported as missing data.
    bool warn_short_group = false;
    // The code field: the upper-cased point note, or "NN".
    bool code_from_note = false;
};

// Reads every item and writes the station blocks and reading lines.
void read_code_groups(Conversion& c, ItemSource& source, const CodeGroupRules& rules);

// Runs a streaming conversion whose items come from a `Source` made on the
// input.
template <class Source>
void run_code_groups(ImportContext& ctx, const std::string& input_path, const Streaming& frame,
                     const CodeGroupRules& rules)
{
    frame.run(ctx, input_path, [&rules](Conversion& c) {
        Source source(c.in);
        read_code_groups(c, source, rules);
    });
}

}  // namespace qrb::nikon

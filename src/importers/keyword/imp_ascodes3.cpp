// Ascodes 3 program files: one record a line, "number:body", of which only
// the body counts (up to a further ":"). The body is a list of fields
// separated by ","; field 1 is the record kind, the others are KEY=value
// items, keys recognised in any letter case, the later item winning:
//   "S"  a station, items in fields 2 to 5
//   "V"  a reading of the last station, items in fields 2 to 7
//   "Q"  the job: field 2, whole, becomes the book's title
// Other kinds are skipped. A reading before any station stops the
// conversion with nothing written. Collect-then-write.
#include <utility>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/gsi/gsi_boxes.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file Ascodes3";

// What an item sets.
enum class Item { Name, Note, Height, TargetHeight, Hz, V, Distance };

struct Key {
    std::string_view prefix;  // upper case, "=" included
    Item item;
};

constexpr Key kStationKeys[] = {{"M=", Item::Name}, {"HT=", Item::Height}, {"C=", Item::Note}};
constexpr Key kReadingKeys[] = {{"M=", Item::Name},  {"HV=", Item::TargetHeight}, {"AH=", Item::Hz},
                                {"AV=", Item::V},    {"DI=", Item::Distance},     {"C=", Item::Note}};

constexpr std::size_t kStationLastField = 5;
constexpr std::size_t kReadingLastField = 7;

struct Defaults {
    const char* station_note = "Stazione";
    const char* reading_note = "nn";
    const char* title = "Importazione file Ascodes3";
};
constexpr Defaults kDefaults{};

// Calls `set` with each recognised item of fields 2..last, in order.
template <std::size_t N, typename Set>
void for_each_item(const Fields& f, std::size_t last, const Key (&keys)[N], Set set)
{
    for (std::size_t k = 2; k <= last; ++k) {
        const std::string_view item = f[k];
        const std::string upper = ucase(item);
        for (const Key& key : keys)
            if (starts_with(upper, key.prefix)) {
                set(key.item, item.substr(key.prefix.size()));
                break;
            }
    }
}

void read_ascodes(Conversion& c, std::string& title)
{
    StationTable& stations = c.state.station_table;
    std::string raw;
    while (c.in.next_line(raw)) {
        const std::string record = trim(raw) + ":";
        const std::string body = std::string(split_fields(record, ":")[2]) + ",";
        const Fields f = split_fields(body, ",");
        const std::string kind = ucase(f[1]);
        if (kind == "S") {
            std::string name;
            float height = 0;
            std::string note = kDefaults.station_note;
            for_each_item(f, kStationLastField, kStationKeys, [&](Item item, std::string_view value) {
                if (item == Item::Name) name = ucase(value);
                if (item == Item::Height) height = single_val(value);
                if (item == Item::Note) note = std::string(value);
            });
            stations.add(std::move(name), height, std::move(note));
        } else if (kind == "V") {
            if (stations.empty()) gsi::stop_without_station(c, "Ascodes");
            Reading& r = stations.back().add_reading();
            r.code = kDefaults.reading_note;
            for_each_item(f, kReadingLastField, kReadingKeys, [&r](Item item, std::string_view value) {
                switch (item) {
                case Item::Name: r.target = ucase(value); break;
                case Item::Note: r.code = std::string(value); break;
                case Item::TargetHeight: r.target_height = single_val(value); break;
                case Item::Hz: r.hz = single_val(value); break;
                case Item::V: r.v = single_val(value); break;
                case Item::Distance: r.dist = single_val(value); break;
                case Item::Height: break;
                }
            });
        } else if (kind == "Q") {
            title = std::string(f[2]);
        }
    }
}

}  // namespace

void imp_ascodes3(ImportContext& ctx, const std::string& input_path)
{
    std::string title = kDefaults.title;
    CollectThenWrite frame(ctx.options, FailurePolicy::standard_naming_station("Ascodes3", kTitle), title,
                           "File formato Ascodes3");
    frame.spec.nothing_found_title = "Importazione file Ascodes";
    frame.book.all_left_out_is_nothing_found = true;
    frame.before_writing = [&title](StationTableOptions& book) { book.header.title = title; };
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&title](Conversion& c) { read_ascodes(c, title); });
}

}  // namespace qrb

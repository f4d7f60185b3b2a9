#include "importers/nikon/code_groups.hpp"

#include <unordered_set>

#include "book/survey_book.hpp"
#include "common/text.hpp"

namespace qrb::nikon {

namespace {

// Values of the point being read, and what they are before a point gives
// its own.
struct PointValues {
    std::string name = "100";
    std::string hz = "0.0000";
    std::string v = "100.0000";
    std::string dist = "0.000";
    std::string note = "nn";
    std::string target_height = "0.00";
};

constexpr std::string_view kDefaultStationNote = "Stazione";
constexpr std::string_view kNoHeight = "0";

bool opens_station_or_point(const CodedItem& item)
{
    return item.kind == ItemKind::Station || item.kind == ItemKind::Point;
}

// How a station header or a point group ended.
enum class Next {
    PassEnds,     // the items were all used: a new pass begins
    Dispatch,     // the item that closed it is dispatched as it stands
    InputEnded,   // the input ended inside it
};

class GroupReader {
public:
    GroupReader(Conversion& c, ItemSource& source, const CodeGroupRules& rules)
        : c_(c), source_(source), rules_(rules)
    {
    }

    void run()
    {
        CodedItem item;
        Next next = Next::PassEnds;
        for (;;) {
            if (next != Next::Dispatch) {
                point_ = PointValues{};
                if (!source_.next_outside(item)) return;
            }
            switch (item.kind) {
            case ItemKind::Station: next = station(item); break;
            case ItemKind::Point: next = point(item); break;
            default: next = Next::PassEnds; break;
            }
            if (next == Next::InputEnded) return;
        }
    }

private:
    Next station(CodedItem& item)
    {
        station_name_ = without_prefix(lcase(item.value), "p");
        if (!source_.next_inside(item)) return Next::InputEnded;
        if (rules_.continue_last_station && station_name_ == last_written_) return Next::Dispatch;
        if (opens_station_or_point(item)) {
            height_ = kNoHeight;
            station_note_ = kDefaultStationNote;
            c_.box(std::string(rules_.missing_height_text) + cp1252_to_utf8(station_name_) + " .", kAttention,
                   Icon::Exclamation);
            open_station();
            return Next::Dispatch;
        }
        if (item.kind == ItemKind::Height) height_ = item.value;
        if (!source_.next_inside(item)) return Next::InputEnded;
        if (opens_station_or_point(item)) {
            station_note_ = kDefaultStationNote;
            open_station();
            return Next::Dispatch;
        }
        if (item.kind == ItemKind::StationNote) station_note_ = item.value;
        open_station();
        return Next::PassEnds;
    }

    void open_station()
    {
        if (rules_.ask_repeated_station && written_.contains(station_name_)) {
            const int answer =
                c_.box("Nel file è presente una stazione doppia chiamata " + cp1252_to_utf8(station_name_) +
                           ". Importare le misure della stazione ?",
                       kAttention, Icon::Question, Buttons::YesNo);
            if (answer == kNo) {
                skipping_ = true;
                return;
            }
        }
        c_.out.tag("#stazione#");
        c_.out.value(station_name_);
        c_.out.value(height_);
        c_.out.value(station_note_);
        last_written_ = station_name_;
        if (rules_.ask_repeated_station) written_.insert(station_name_);
        block_written_ = true;
        skipping_ = false;
    }

    Next point(CodedItem& item)
    {
        // The readings of a refused station, and those before any station
        // block, are dropped: the items after them go to the main loop.
        if (skipping_ || !block_written_) {
            if (!source_.next_inside(item)) return Next::InputEnded;
            return Next::Dispatch;
        }
        point_.name = without_prefix(lcase(item.value), "dp");
        int used = 0;
        bool closed = false;
        while (used < rules_.group_size) {
            if (!source_.next_inside(item)) {
                write_reading();
                return Next::InputEnded;
            }
            ++used;
            if (opens_station_or_point(item)) {
                closed = true;
                break;
            }
            take_value(item);
        }
        write_reading();
        if (closed && rules_.warn_short_group && used <= 3)
            c_.box("Al punto " + cp1252_to_utf8(point_.name) + " rilevato dalla stazione " +
                       cp1252_to_utf8(station_name_) + " mancano dei dati.",
                   kAttention, Icon::Exclamation);
        return closed ? Next::Dispatch : Next::PassEnds;
    }

    void take_value(const CodedItem& item)
    {
        switch (item.kind) {
        case ItemKind::TargetHeight: point_.target_height = item.value; break;
        case ItemKind::PointNote: point_.note = item.value; break;
        case ItemKind::Hz: point_.hz = item.value; break;
        case ItemKind::V: point_.v = item.value; break;
        case ItemKind::Dist: point_.dist = item.value; break;
        default: break;
        }
    }

    void write_reading()
    {
        // The point's name is lower-cased as it is read.
        RecordLine r;
        r.text(point_.name).text(point_.hz).text(point_.v).text(point_.dist).text(point_.target_height).text(point_.note);
        if (rules_.code_from_note)
            r.text(ucase(point_.note));
        else
            r.literal("NN");
        c_.out.line(r.str());
    }

    Conversion& c_;
    ItemSource& source_;
    const CodeGroupRules& rules_;

    std::string station_name_;
    std::string height_;
    std::string station_note_;
    PointValues point_;

    std::string last_written_;
    // The names of the station blocks written, kept only where a repeated
    // name brings the question.
    std::unordered_set<std::string> written_;
    bool block_written_ = false;
    bool skipping_ = false;  // a repeated station was refused
};

}  // namespace

void read_code_groups(Conversion& c, ItemSource& source, const CodeGroupRules& rules)
{
    GroupReader(c, source, rules).run();
}

}  // namespace qrb::nikon

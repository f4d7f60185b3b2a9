#include "importers/geotronics/label_stream.hpp"

#include <algorithm>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/geotronics/label_lines.hpp"

namespace qrb::label {

namespace {

// How the reading of a block ended.
enum class BlockEnd { ByLine, Full, InputEnded };

class LabelStream {
public:
    LabelStream(Conversion& c, const StreamFormat& format) : c_(c), f_(format) {}

    void read()
    {
        std::string raw;
        if (!c_.in.next_line(raw)) return;
        cur_ = trimmed_cut(raw);
        title_ = cur_.label == "50" ? cur_.value : std::string(f_.default_title);
        // The first line is used further only when it is a station line.
        bool have_line = cur_.label == "2";
        for (;;) {
            if (!have_line && !next()) return;
            have_line = false;
            if (cur_.label == "3") {
                height_ = normalize_name(cur_.value);
                if (val(height_) == 0) height_ = "0.00";
            } else if (cur_.label == "4") {
                code_ = normalize_name(cur_.value);
            } else if (cur_.label == "2") {
                if (!station_block()) return end_cut_short();
                have_line = true;
            } else if (is_point(cur_.label)) {
                const BlockEnd e = point_block();
                if (e == BlockEnd::InputEnded) {
                    if (!known_point_) end_cut_short();  // a measured point was dropped
                    return;
                }
                have_line = e == BlockEnd::ByLine;
            }
        }
    }

private:
    bool next()
    {
        std::string raw;
        if (!c_.in.next_line(raw)) return false;
        cur_ = trimmed_cut(raw);
        return true;
    }

    bool is_point(const std::string& label) const
    {
        return std::find(f_.point_labels.begin(), f_.point_labels.end(), label) != f_.point_labels.end();
    }

    bool is_vertical(const std::string& label) const
    {
        return std::find(f_.vertical_labels.begin(), f_.vertical_labels.end(), label) != f_.vertical_labels.end();
    }

    // The header goes out with the first item, so that a file without any
    // leaves an empty book.
    void begin_item()
    {
        if (wrote_item_) return;
        wrote_item_ = true;
        const std::string_view type = survey_type_text(survey_type_iz_else_od(c_.options));
        write_header(c_.out, title_, book_text("Località sconosciuta"), type, f_.note);
    }

    void station_height_or_note()
    {
        if (cur_.label == "3")
            height_ = normalize_name(cur_.value);
        else if (cur_.label == "4")
            code_ = normalize_name(cur_.value);
    }

    // Writes a station block from its line and the two after it; false when
    // the input ended there (the block is still written whole).
    bool station_block()
    {
        begin_item();
        in_station_ = true;
        c_.out.tag("#stazione#");
        c_.out.value(lcase(normalize_name(cur_.value)));
        bool more = next();
        if (more && !is_point(cur_.label)) {
            if (f_.station_lines_either_way)
                station_height_or_note();
            else if (cur_.label == "3")
                height_ = normalize_name(cur_.value);
            more = next();
            if (more && !(f_.station_lines_either_way && is_point(cur_.label))) {
                if (f_.station_lines_either_way)
                    station_height_or_note();
                else if (cur_.label == "4")
                    code_ = normalize_name(cur_.value);
            }
        }
        c_.out.value(height_);
        c_.out.value(code_);
        return more;
    }

    BlockEnd point_block()
    {
        name_ = normalize_name(cur_.value);
        code_ = "nn";
        hz_ = "0.000";
        v_ = "100.000";
        dist_ = "0.000";
        target_height_ = "0.00";
        north_ = "0.000";
        east_ = "0.000";
        elevation_ = "0.00";
        for (int k = 0; k < f_.block_lines; ++k) {
            if (!next()) {
                // A known point is complete with its coordinates; a measured
                // point cut short is dropped.
                if (known_point_) write_point();
                return BlockEnd::InputEnded;
            }
            const std::string& label = cur_.label;
            if (label == "2" || is_point(label)) {
                write_point();
                return BlockEnd::ByLine;
            }
            if (label == "7") known_point_ = false;
            if (label == "37") known_point_ = true;
            if (label == "6") target_height_ = cur_.value;
            if (label == "4") code_ = cur_.value;
            if (label == "7") hz_ = cur_.value;
            if (is_vertical(label)) v_ = cur_.value;
            if (label == "9" || label == "11") dist_ = normalize_name(cur_.value);
            if (label == "37") north_ = cur_.value;
            if (label == "38") east_ = cur_.value;
            if (label == "39") elevation_ = cur_.value;
        }
        write_point();
        return BlockEnd::Full;
    }

    void write_point()
    {
        // A measured point before any station belongs to none: it is left
        // out. A known point stands on its own and is kept.
        if (!known_point_ && !in_station_) return;
        begin_item();
        const std::string last =
            !f_.code_by_op_note || c_.options.op_note == 1 ? ucase(code_) : std::string("NN");
        RecordLine r;
        if (known_point_) {
            c_.out.tag("#passnoto#");
            r.text(lcase(name_)).text(east_).text(north_).text(elevation_);
        } else {
            r.text(lcase(name_)).text(hz_).text(v_).text(dist_).text(target_height_);
        }
        r.text(code_).text(last);
        c_.out.line(r.str());
    }

    // The input ended inside a block: the book still ends with its
    // trailer, and the format's own message takes the place of the success
    // box.
    void end_cut_short() { c_.end_cut_short(f_.some_errors_text); }

    Conversion& c_;
    const StreamFormat& f_;
    LabelLine cur_;
    std::string title_;
    bool wrote_item_ = false;
    bool in_station_ = false;  // a station block has been written
    std::string height_;
    std::string code_;
    bool known_point_ = false;  // the coordinate flag; kept from block to block
    std::string name_, hz_, v_, dist_, target_height_, north_, east_, elevation_;
};

}  // namespace

void run_label_stream(ImportContext& ctx, const std::string& input_path, const StreamFormat& format)
{
    // Only the unexpected failures remain for the policy: the converter
    // handles the end of its input itself.
    FailurePolicy failure = FailurePolicy::standard({}, format.title);
    failure.end_of_input = failure.malformed = failure.subscript = false;
    Streaming frame(std::move(failure));
    frame.spec.book_at_end = format.book_at_end;
    frame.run(ctx, input_path, [&format](Conversion& c) { LabelStream(c, format).read(); });
}

}  // namespace qrb::label

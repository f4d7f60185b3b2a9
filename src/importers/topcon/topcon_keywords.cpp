#include "importers/topcon/topcon_keywords.hpp"

#include <optional>
#include <string_view>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb::topcon {

namespace {

using KeywordAt = KeywordDialect::KeywordAt;

constexpr std::string_view kInvalidStationName = "Nome stazione non valido.";
constexpr std::string_view kInvalidTarget = "non_valido";
constexpr std::string_view kStationNote = "stazione";
constexpr std::string_view kNoCode = "nn";
constexpr std::string_view kJobWithoutName = "Senza nome";

// The shortest line the fixed-column recorders write a record on.
constexpr std::size_t kShortestColumnLine = 11;
constexpr long long kKeywordWidth = 8;
constexpr long long kDataColumn = 9;

struct KeywordLine {
    std::string keyword;  // upper-cased
    std::string data;
};

// The keyword and the data part of a line, or nothing for a line that holds
// no record.
std::optional<KeywordLine> keyword_line(std::string_view line, const KeywordDialect& dialect)
{
    if (dialect.keyword_at == KeywordAt::FirstSpace) {
        const auto space = line.find(' ');
        if (space == std::string_view::npos || space == 0) return std::nullopt;
        return KeywordLine{ucase(line.substr(0, space)), std::string(line.substr(space))};
    }
    if (line.size() < kShortestColumnLine) return std::nullopt;
    return KeywordLine{ucase(trim(mid(line, 1, kKeywordWidth))), mid(line, kDataColumn)};
}

bool is_empty_name(std::string_view name, const KeywordDialect& dialect)
{
    return dialect.blank_name_is_empty ? trim_view(name).empty() : name.empty();
}

class KeywordReader {
public:
    KeywordReader(Conversion& conv, const KeywordDialect& dialect, const StationTableOptions& book, std::string& job)
        : c_(conv), d_(dialect), book_(book), stations_(conv.state.station_table), job_(job)
    {
    }

    void read()
    {
        std::string line;
        while (c_.in.next_line(line)) {
            const std::optional<KeywordLine> record = keyword_line(line, d_);
            if (!record) continue;
            const std::string& k = record->keyword;
            if (k == "JOB") job(record->data);
            else if (k == "STN") station(record->data);
            else if (k == "SS" || k == "FS" || k == "BS") target(record->data);
            else if (k == "SD" || k == "HD" || k == "HV") measurement(k, record->data);
        }
    }

private:
    void job(std::string_view data)
    {
        job_ = trim(data);
        if (job_.empty()) job_ = kJobWithoutName;
    }

    // The data part of a station or target line, with "," appended so that
    // the last value is a field too.
    std::string name_line(std::string_view data) const
    {
        return (d_.trim_name_lines ? trim(data) : std::string(data)) + ",";
    }

    void station(std::string_view data)
    {
        const std::string values = name_line(data);
        const Fields f = split_fields(values, ",");
        if (is_empty_name(f[1], d_)) {
            c_.box(std::string(kInvalidStationName), d_.box_title, Icon::Exclamation);
            c_.stop();
        }
        const std::string_view note = trim_view(f[3]).empty() ? kStationNote : f[3];
        stations_.add(std::string(f[1]), single_val(f[2]), std::string(note));
    }

    void target(std::string_view data)
    {
        // A target before the first station has no station to join: it is
        // skipped, and its measurements with it.
        if (stations_.empty()) return;
        const std::string values = name_line(data);
        const Fields f = split_fields(values, ",");
        // Measurement lines change the last reading only.
        Reading& r = add_reading_finishing_last(stations_.back(), book_, c_.options.op_note);
        r.target = is_empty_name(f[1], d_) ? kInvalidTarget : f[1];
        r.target_height = single_val(f[2]);
        r.code = f[3].empty() ? kNoCode : f[3];
    }

    void measurement(const std::string& keyword, std::string_view data)
    {
        if (stations_.empty() || stations_.back().readings.empty()) return;
        const std::string values = std::string(data) + ",";
        const Fields f = split_fields(values, ",");
        Reading& r = stations_.back().readings.back();
        r.hz = quotient_value(f[1], d_.angle_divisor);
        if (keyword == "SD") {
            r.v = quotient_value(f[2], d_.angle_divisor);
            r.dist = single_val(f[3]);
        } else if (keyword == "HD") {
            r.dist = single_val(f[2]);
            r.v = quotient_value(f[3], d_.height_difference_divisor);
        } else {
            r.v = quotient_value(f[2], d_.angle_divisor);
            r.dist = 0;
        }
    }

    Conversion& c_;
    const KeywordDialect& d_;
    const StationTableOptions& book_;
    StationTable& stations_;
    std::string& job_;
};

}  // namespace

void convert_keyword_records(ImportContext& ctx, const std::string& input_path, const KeywordDialect& dialect)
{
    FailurePolicy failure = FailurePolicy::standard(dialect.format_word, dialect.box_title);
    failure.malformed_format_name = dialect.malformed_word;
    failure.subscript_title = dialect.empty_station_title;

    CollectThenWrite frame(ctx.options, std::move(failure), book_text(dialect.book_title), {});
    frame.spec.nothing_found_title = dialect.nothing_found_title;
    frame.book.all_left_out_is_nothing_found = true;

    std::string job = book_text(dialect.job_default);
    frame.before_writing = [&job](StationTableOptions& book) { book.header.note = job; };
    frame.stations_finished_on_add = true;
    frame.run(ctx, input_path, [&](Conversion& c) { KeywordReader(c, dialect, frame.book, job).read(); });
}

}  // namespace qrb::topcon

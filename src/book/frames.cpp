#include "book/frames.hpp"

#include <utility>

#include "book/skeleton.hpp"

namespace qrb {

Streaming::Streaming(FailurePolicy failure)
{
    spec.success_title = failure.title;
    spec.nothing_found_title = failure.title;
    spec.failure = std::move(failure);
    spec.collect_then_write = false;
}

void Streaming::run(ImportContext& ctx, const std::string& input_path, const ReadPhase& read,
                    const OpenPhase& on_input_open) const
{
    run_converter(
        ctx, input_path, spec,
        [this, &read](Conversion& c) {
            if (header) write_header(c.out, *header);
            read(c);
        },
        [this](Conversion& c) {
            if (!c.out.has_records()) return false;
            if (trailer) write_trailer(c.out);
            return true;
        },
        on_input_open);
}

CollectThenWrite::CollectThenWrite(const ImportOptions& options, FailurePolicy failure, std::string book_title,
                                   std::string note)
{
    spec.success_title = failure.title;
    spec.nothing_found_title = book_title;
    spec.failure = std::move(failure);
    book.header.title = std::move(book_title);
    book.header.survey_type = survey_type(options);
    book.header.note = std::move(note);
}

void CollectThenWrite::run(ImportContext& ctx, const std::string& input_path, const ReadPhase& read,
                           const OpenPhase& on_input_open) const
{
    const ReadPhase read_finishing = [this, &read](Conversion& c) {
        finish_stations_on_add(c.state.station_table, book, c.options.op_note);
        read(c);
    };
    run_converter(
        ctx, input_path, spec, stations_finished_on_add ? read_finishing : read,
        [this](Conversion& c) {
            if (!before_writing) return write_station_table(c, book);
            StationTableOptions learnt = book;
            before_writing(learnt);
            return write_station_table(c, learnt);
        },
        on_input_open);
}

}  // namespace qrb

// AGA 540 and 640 recordings: label lines written as they are read, point
// blocks of up to seven lines opened by label 5 or 62.
#include "importers/geotronics/label_stream.hpp"

namespace qrb {

namespace {

constexpr std::string_view kPointLabels[] = {"5", "62"};
constexpr std::string_view kVerticalLabels[] = {"8", "49"};

}  // namespace

void imp_aga540(ImportContext& ctx, const std::string& input_path)
{
    static constexpr label::StreamFormat kAga{
        .default_title = "AGA",
        .note = "Importazione file formato AGA 540 o AGA 640",
        .title = "Importazione file AGA",
        .block_lines = 7,
        .point_labels = kPointLabels,
        .vertical_labels = kVerticalLabels,
        .station_lines_either_way = false,
        .code_by_op_note = false,
        .some_errors_text = "Importazione avvenuta con alcuni errori.",
        .book_at_end = false,
    };
    label::run_label_stream(ctx, input_path, kAga);
}

}  // namespace qrb

// Geotronics GEO recordings (also Trimble 5600 and S6): label lines written as
// they are read, point blocks of up to five lines opened by label 5. The
// chosen book is written only when the conversion ends.
#include "importers/geotronics/label_stream.hpp"

namespace qrb {

namespace {

constexpr std::string_view kPointLabels[] = {"5"};
constexpr std::string_view kVerticalLabels[] = {"8", "49", "10"};

}  // namespace

void imp_geo(ImportContext& ctx, const std::string& input_path)
{
    static constexpr label::StreamFormat kGeo{
        .default_title = "GEO",
        .note = "Importazione file formato Geotronics GEO e Trimble 3000",
        .title = "Importazione file GEO",
        .block_lines = 5,
        .point_labels = kPointLabels,
        .vertical_labels = kVerticalLabels,
        .station_lines_either_way = true,
        .code_by_op_note = true,
        .some_errors_text = "File importato con alcuni errori.",
        .book_at_end = true,
    };
    label::run_label_stream(ctx, input_path, kGeo);
}

}  // namespace qrb

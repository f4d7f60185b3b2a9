// Topcon GTS 512, GTS 700 and GTS 800 keyword files: the keyword fills
// characters 1 to 8 of a line (blanks around it are dropped), the data part
// starts at character 9. Lines of 10 characters or fewer hold no record.
// Names are taken as they stand, blanks included; values are not scaled.
#include "importers/topcon/topcon_keywords.hpp"

namespace qrb {

namespace {

using topcon::KeywordDialect;

// The recorder's own texts, "GST" included.
constexpr KeywordDialect kGts512{
    .keyword_at = KeywordDialect::KeywordAt::Columns1To8,
    .trim_name_lines = false,
    .blank_name_is_empty = false,
    .job_default = "",
    .angle_divisor = 1,
    .height_difference_divisor = 1,
    .book_title = "Importazione file Topcon GTS",
    .box_title = "Importa file Topcon GTS",
    .nothing_found_title = "Importazione file Topcon GTS",
    .format_word = "Topcon GTS",
    .malformed_word = "Topcon GST",
    .empty_station_title = "Importa file Topcon GST",
};

}  // namespace

void imp_gts512(ImportContext& ctx, const std::string& input_path)
{
    topcon::convert_keyword_records(ctx, input_path, kGts512);
}

}  // namespace qrb

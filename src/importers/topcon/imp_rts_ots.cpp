// Foif RTS/OTS keyword files, first and second series: "KEYWORD data" lines,
// the keyword ended by the first space of the line. Lines without a space,
// or beginning with one, hold no record. The first series records angles in
// ten-thousandths of a gon and the HD height difference in millimetres.
#include "importers/topcon/topcon_keywords.hpp"

namespace qrb {

namespace {

using topcon::KeywordDialect;

constexpr KeywordDialect kSecondSeries{
    .keyword_at = KeywordDialect::KeywordAt::FirstSpace,
    .trim_name_lines = true,
    .blank_name_is_empty = true,
    .job_default = "Senza nome",
    .angle_divisor = 1,
    .height_difference_divisor = 1,
    .book_title = "Importazione file Foif RTS/OTS",
    .box_title = "Importa file Foif",
    .nothing_found_title = "Importazione file Foif",
    .format_word = "Foif",
    .malformed_word = "Foif",
    .empty_station_title = "Importa file Foif",
};

constexpr KeywordDialect first_series()
{
    KeywordDialect d = kSecondSeries;
    d.angle_divisor = 10000;
    d.height_difference_divisor = 1000;
    return d;
}

constexpr KeywordDialect kFirstSeries = first_series();

}  // namespace

void imp_rts_ots1(ImportContext& ctx, const std::string& input_path)
{
    topcon::convert_keyword_records(ctx, input_path, kFirstSeries);
}

void imp_rts_ots2(ImportContext& ctx, const std::string& input_path)
{
    topcon::convert_keyword_records(ctx, input_path, kSecondSeries);
}

}  // namespace qrb

#include "importers/rw5/rw5_records.hpp"

#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb::rw5 {

Fields split_record(std::string& line)
{
    line += ',';
    return split_fields(line, ",");
}

bool one_of(std::string_view code, std::span<const std::string_view> codes)
{
    for (const std::string_view c : codes)
        if (code == c) return true;
    return false;
}

std::string less(std::string_view field, std::string_view prefix) { return replace_all(field, prefix, ""); }

std::string text(const Fields& f, PrefixedField p) { return less(f[p.field], p.prefix); }

float single(const Fields& f, PrefixedField p) { return single_val(text(f, p)); }

double dbl(const Fields& f, PrefixedField p) { return val(text(f, p)); }

GnssVector* last_vector(GnssBaseTable& bases)
{
    if (bases.empty()) return nullptr;
    GnssBaseRecord& base = bases[bases.size() - 1];
    return base.vectors.empty() ? nullptr : &base.vectors.back();
}

std::string covariance_text(const CovarianceTerms& terms)
{
    std::string text;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        if (k > 0) text += ',';
        text += format_padded(terms[k], "0.00000000", 0);
    }
    return text;
}

}  // namespace qrb::rw5

// Baseline report of a GNSS office project (.cst): inside each baseline
// block, a record of two lines split at ";" gives a reference station (the
// base) and one baseline from it to a rover point.
#include "book/frames.hpp"
#include "book/gnss.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file LGO";

// How the bases and their vectors are written.
GnssBookOptions book_options()
{
    GnssBookOptions gnss;
    gnss.shape = VectorShape::A;
    gnss.tail = VectorTail::ThreeEmpty;
    gnss.empty_base_text =
        "Il file LGO contiene una stazione GPS senza nessuna lettura. Verrà ignorata nell'importazione";
    return gnss;
}

// Adds the baseline of a record's fields to the base of field 1, adding the
// base when the record is its first. A baseline is complete with its record:
// the one before it becomes its book line.
void add_record(Conversion& c, const GnssBookOptions& options, const Fields& f)
{
    GnssBaseTable& bases = c.state.gnss_base_table;
    const std::string base_name(f[1]);
    std::size_t index = 0;
    if (const auto hit = bases.find(base_name)) {
        index = hit->index;
    } else {
        GnssBaseRecord& base = bases.add(base_name);
        base.note = f[2];
        base.x = val(f[3]);
        base.y = val(f[4]);
        base.z = val(f[5]);
        base.antenna_height = single_val(f[6]);
        index = bases.size() - 1;
    }
    GnssVector& v = add_vector_finishing_last(bases[index], options, c.options.op_note);
    v.point = ucase(f[9]);
    v.code = f[10];
    v.dx = val(f[11]);
    v.dy = val(f[12]);
    v.dz = val(f[13]);
    v.covariance = std::string(f[14]);
    for (std::size_t k = 15; k <= 19; ++k) (v.covariance += ',') += f[k];
    v.antenna_height = single_val(f[22]);
}

void read_baselines(Conversion& c)
{
    const GnssBookOptions options = book_options();
    bool in_block = false;
    std::string line;
    while (c.in.next_line(line)) {
        if (instr(line, "DATA BLOCK BASELINE") > 0) {
            c.in.read_line();  // the block's column heads
            line = c.in.read_line();
            in_block = true;
        }
        if (instr(line, "DATA BLOCK DA PUNTI") > 0) in_block = false;
        if (!in_block || trim(line).empty()) continue;
        // A record is complete only with its second line.
        const std::string second = c.in.read_line();
        const std::string record = line + second + ";";
        add_record(c, options, split_fields(record, ";"));
    }
}

}  // namespace

void imp_lgo_baseline(ImportContext& ctx, const std::string& input_path)
{
    CollectThenWrite frame(ctx.options, FailurePolicy::standard("LGO", kTitle), "Importazione baseline da file LGO",
                           "Importazione baseline da file Leica Geo Office con estensione cst");
    frame.book.header.survey_type = "IZ";
    frame.book.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
    frame.spec.nothing_found_title = "Importazione file LGO .cst";
    frame.book.write_gnss_bases = gnss_bases_writer(book_options());
    frame.run(ctx, input_path, read_baselines);
}

}  // namespace qrb

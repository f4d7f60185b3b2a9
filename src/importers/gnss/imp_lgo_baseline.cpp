// Baseline report of a GNSS office project (.cst): inside each baseline
// block, a record of two lines split at ";" gives a reference station (the
// base) and one baseline from it to a rover point.
#include "book/gnss.hpp"
#include "common/number.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"
#include "importers/importers.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file LGO";

// Adds the baseline of the record in line_fields to the base of field 1,
// adding the base when the record is its first.
void add_record(WorkState& state)
{
    const auto& f = state.line_fields;
    GnssBaseTable& bases = state.gnss_base_table;
    std::size_t index = 0;
    if (const auto hit = bases.find(f[1])) {
        index = hit->index;
    } else {
        GnssBaseRecord& base = bases.add(f[1]);
        base.note = f[2];
        base.x = val(f[3]);
        base.y = val(f[4]);
        base.z = val(f[5]);
        base.antenna_height = to_single(val(f[6]));
        index = bases.size() - 1;
    }
    GnssVector& v = bases[index].add_vector();
    v.point = ucase(f[9]);
    v.code = f[10];
    v.dx = val(f[11]);
    v.dy = val(f[12]);
    v.dz = val(f[13]);
    v.covariance = f[14] + "," + f[15] + "," + f[16] + "," + f[17] + "," + f[18] + "," + f[19];
    v.antenna_height = to_single(val(f[22]));
}

void read_baselines(Conversion& c)
{
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
        c.state.work_line = line + second + ";";
        split_fields(c.state, ";");
        add_record(c.state);
    }
}

}  // namespace

void imp_lgo_baseline(ImportContext& ctx, const std::string& input_path)
{
    ConverterSpec spec;
    spec.failure = FailurePolicy::standard("LGO", kTitle);
    spec.clear_gnss = true;
    spec.success_title = kTitle;
    run_converter(ctx, input_path, spec, read_baselines, [](Conversion& c) {
        StationTableOptions o;
        o.title = "Importazione baseline da file LGO";
        o.survey_type = "IZ";
        o.note = "Importazione baseline da file Leica Geo Office con estensione cst";
        o.nothing_found = StationTableOptions::NothingFound::StationsBasesKnownPoints;
        o.nothing_found_title = "Importazione file LGO .cst";
        GnssBookOptions gnss;
        gnss.shape = VectorShape::A;
        gnss.tail = VectorTail::ThreeEmpty;
        gnss.empty_base_text =
            "Il file LGO contiene una stazione GPS senza nessuna lettura. Verrà ignorata nell'importazione";
        o.write_gnss_bases = gnss_bases_writer(std::move(gnss));
        return write_station_table(c, o);
    });
}

}  // namespace qrb

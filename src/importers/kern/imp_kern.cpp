// Kern recorder files, in two fixed-column layouts: one record a line,
// columns counted from the first non-blank character, which gives the
// record type. A station line opens a "#stazione#" block at once; each
// reading line is written as one reading line inside it. Values are copied
// as the file writes them, trimmed; a number is computed only to tell a zero
// value, which some fields replace by a default:
//   Alphacord-Betacord   "2" station, "3" observation
//   Psion PStore         "2" station, "3" shot to a station point (named
//                        "s" + number, as the station is), "4" detail shot
// Lines of other types, and readings before the first station, are skipped.
#include <array>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

// When a field's text gives way to its default.
enum class Fallback {
    None,     // the text as it stands, empty included
    IfEmpty,  // the trimmed text is empty
    IfZero,   // its numeric value is 0 (an empty field or one with no number too)
};

// A field: first character and length (first 0: no column, always empty).
struct Field {
    long long first;
    long long length;
    Fallback fallback;
    std::string_view default_text;
};

struct KernStation {
    char type;
    Field name;  // the line is skipped when it is empty
    bool s_prefix;
    Field note;
    Field height;
};

struct KernReading {
    char type;
    Field target;  // the line is skipped when it is empty
    bool s_prefix;
    Field note;
    Field hz;
    Field v;
    Field distance;
    Field target_height;
};

struct KernLayout {
    KernStation station;
    std::array<KernReading, 2> readings;
    std::size_t reading_kinds;
    const char* book_note;
    const char* success_title;
};

// A note with no column: always "Stazione".
constexpr Field kFixedStationNote{0, 0, Fallback::IfEmpty, "Stazione"};

constexpr KernLayout kAlphacord{
    {'2', {12, 4, Fallback::None, ""}, false, kFixedStationNote, {29, 6, Fallback::IfEmpty, "0.00"}},
    {{
        {'3', {12, 4, Fallback::None, ""}, false,
         {27, 2, Fallback::None, ""},
         {29, 9, Fallback::None, ""},
         {38, 9, Fallback::IfZero, "100.0000"},
         {47, 9, Fallback::IfZero, "INT"},
         {56, 6, Fallback::IfZero, "0.00"}},
    }},
    1,
    "Lettura file generato dal registratore dati Kern Alphacord-Betacord",
    "File dati Kern Betacord",
};

constexpr KernLayout kKernPstore{
    {'2', {3, 5, Fallback::None, ""}, true, {9, 6, Fallback::IfEmpty, "Stazione"}, {16, 6, Fallback::IfEmpty, "0.00"}},
    {{
        {'3', {3, 5, Fallback::None, ""}, true,
         {9, 6, Fallback::IfEmpty, "nn"},
         {16, 8, Fallback::IfEmpty, "0.0000"},
         {25, 8, Fallback::IfZero, "100.0000"},
         {34, 8, Fallback::IfZero, "INT"},
         {43, 6, Fallback::IfZero, "0.00"}},
        {'4', {3, 5, Fallback::None, ""}, false,
         {9, 16, Fallback::IfEmpty, "nn"},
         {26, 8, Fallback::IfEmpty, "0.0000"},
         {35, 8, Fallback::IfZero, "100.0000"},
         {44, 8, Fallback::IfZero, "INT"},
         {53, 6, Fallback::IfZero, "0.00"}},
    }},
    2,
    "Lettura file generato dal registratore dati Kern Psion PStore",
    "File dati Kern Psion PStore",
};

std::string field_of(std::string_view line, const Field& f)
{
    std::string text = f.first == 0 ? std::string() : trim(mid(line, f.first, f.length));
    const bool replace = (f.fallback == Fallback::IfEmpty && text.empty()) ||
                         (f.fallback == Fallback::IfZero && val(text) == 0);
    if (replace) text = f.default_text;
    return text;
}

// A name field; the line holds no record when it is empty.
std::string name_of(std::string_view line, const Field& f, bool s_prefix)
{
    const std::string name = field_of(line, f);
    if (name.empty()) return name;
    return s_prefix ? "s" + name : name;
}

void read_kern(Conversion& c, const KernLayout& layout)
{
    const bool code_from_note = c.options.op_note == 1;  // read once
    bool in_station = false;
    std::string raw;
    while (c.in.next_line(raw)) {
        const std::string line = trim(raw);
        const char type = line.empty() ? '\0' : line[0];
        if (type == layout.station.type) {
            const KernStation& s = layout.station;
            const std::string name = name_of(line, s.name, s.s_prefix);
            if (name.empty()) continue;
            c.out.tag("#stazione#");
            c.out.value(name);
            c.out.value(field_of(line, s.height));
            c.out.value(field_of(line, s.note));
            in_station = true;
            continue;
        }
        for (std::size_t k = 0; k < layout.reading_kinds; ++k) {
            const KernReading& r = layout.readings[k];
            if (type != r.type) continue;
            // A reading belongs inside a station block.
            if (!in_station) break;
            const std::string target = name_of(line, r.target, r.s_prefix);
            if (target.empty()) break;
            const std::string note = field_of(line, r.note);
            RecordLine out;
            out.text(target)
                .text(field_of(line, r.hz))
                .text(field_of(line, r.v))
                .text(field_of(line, r.distance))
                .text(field_of(line, r.target_height))
                .text(note)
                .text(code_from_note ? ucase(note) : std::string("NN"));
            c.out.line(out.str());
            break;
        }
    }
}

void run_kern(ImportContext& ctx, const std::string& input_path, const KernLayout& layout)
{
    Streaming frame(FailurePolicy::short_form(layout.success_title));
    frame.spec.success_text = "Importazione del file completata con successo.";
    // The survey type is "IZ" or, whatever else is chosen, "OD".
    frame.header = BookHeader{"Rilievo", "Nessuna", ctx.options.tipo_iz ? "IZ" : "OD", layout.book_note};
    frame.run(ctx, input_path, [&layout](Conversion& c) { read_kern(c, layout); });
}

}  // namespace

void imp_alphacord(ImportContext& ctx, const std::string& input_path) { run_kern(ctx, input_path, kAlphacord); }

void imp_kern_pstore(ImportContext& ctx, const std::string& input_path) { run_kern(ctx, input_path, kKernPstore); }

}  // namespace qrb

// Export of a GNSS office project through the template made for Quarel: the
// data already stand in nearly the survey book's own lines, in sections led
// by "[JOB]", "[TPS]", "[GPS]" and "[INT]". Each section is copied as it is
// read.
#include "book/frames.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importazione file LGO Quarel Template";

// The note and code fields (6 and 7) of a reading or vector line: "-" is
// dropped from both; an empty note takes the code, or "nn" and "NN"; a note
// without code loses its commas and gives the code.
void clean_note_and_code(std::string& note, std::string& code)
{
    note = replace_all(note, "-", "");
    code = replace_all(code, "-", "");
    // The export writes an empty note as ",  ,  ,  "; the field may have
    // lost its trailing blanks to trimming.
    const bool empty_note = rtrim(note) == ",  ,  ,";
    if (empty_note && code.empty()) {
        note = "nn";
        code = "NN";
    } else if (empty_note) {
        note = lcase(code);
    } else if (code.empty()) {
        note = lcase(replace_all(note, ",", ""));
        code = ucase(note);
    }
}

class TemplateReader {
public:
    void read(Conversion& c)
    {
        std::string line;
        while (c.in.next_line(line)) {
            line = trim(line);
            if (line == "[JOB]")
                read_job(c);
            else if (line == "[TPS]")
                read_station(c);
            else if (line == "[GPS]")
                read_base(c);
            else if (line == "[INT]")
                read_alignments(c);
        }
    }

private:
    static std::string next(Conversion& c) { return trim(c.in.read_line()); }

    // Splits a field line at "|" and writes its fields 1 to `count`, each
    // trimmed; with `clean`, fields 6 and 7 are a note and a code.
    static void write_fields(Conversion& c, const std::string& line, std::size_t count, bool clean = false)
    {
        const Fields f = split_fields(line, "|").trimmed();
        std::string note(f[6]);
        std::string code(f[7]);
        if (clean) clean_note_and_code(note, code);
        RecordLine r;
        for (std::size_t k = 1; k <= count; ++k) r.text(k == 6 ? note : k == 7 ? code : f[k]);
        c.out.line(r.str());
    }

    // The last station and the last base whose block was written: a section
    // of the same name adds its line to that block. Writing any other item
    // forgets them, so that a line is only ever added to the block just
    // before it.
    void wrote_other_item()
    {
        last_station_.clear();
        last_base_.clear();
    }

    void read_job(Conversion& c)
    {
        wrote_other_item();
        // Both lines are read first: a section cut short writes no part of
        // the header.
        const std::string title = next(c);
        const std::string operator_and_date = next(c);
        c.out.tag("#titolo#");
        c.out.value(title);
        c.out.tag("#loc#");
        c.out.value("Nessuna");
        c.out.tag("#tipo#");
        c.out.value(survey_type(c.options));
        c.out.tag("#angoli#");
        c.out.value("CENT");
        c.out.tag("#note#");
        c.out.value("Lettura file generato da LGO - Operatore e data: " + operator_and_date);
    }

    void read_station(Conversion& c)
    {
        const std::string name = next(c);
        if (!last_station_.empty() && name == last_station_) {
            next(c);
            next(c);
        } else {
            wrote_other_item();
            last_station_ = name;
            c.out.tag("#stazione#");
            c.out.value(name);
            c.out.value(next(c));  // instrument height
            c.out.value(next(c));  // station note
        }
        write_fields(c, next(c), 7, true);
    }

    void read_base(Conversion& c)
    {
        const std::string name = next(c);
        if (!last_base_.empty() && name == last_base_) {
            for (int k = 0; k < 13; ++k) next(c);
        } else {
            wrote_other_item();
            last_base_ = name;
            c.out.tag("#stazione_gps#");
            c.out.value(name);
            for (int k = 1; k <= 13; ++k) {
                const std::string value = next(c);
                // Lines 11 and 13 are times: written without blanks.
                c.out.value(k == 11 || k == 13 ? replace_all(value, " ", "") : value);
            }
        }
        write_fields(c, next(c), 10, true);
    }

    void read_alignments(Conversion& c)
    {
        wrote_other_item();
        for (int k = 0; k < 2; ++k) {
            c.out.tag("#allineamento#");
            write_fields(c, next(c), 4);
            c.out.value(next(c));
            write_fields(c, next(c), 5);
        }
    }

    std::string last_station_;
    std::string last_base_;
};

}  // namespace

void imp_lgo_template(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::short_with_end_of_input(kTitle));
    frame.spec.success_text = "L'importazione del file è stata completata.";
    TemplateReader reader;
    frame.run(ctx, input_path, [&reader](Conversion& c) { reader.read(c); });
}

}  // namespace qrb

// Topcon Memotop MMT: labelled lines. A line's label is its first ten
// characters trimmed, its value the text from character 11 trimmed. Up to
// five job lines open the file; then come station groups of three lines and
// point groups of six, each in a fixed order. Heights and distances are
// recorded in millimetres, angles in ten-thousandths of a gon; the book gets
// metres and gon, each number with a blank before a value that is not
// negative. Written as it is read: a station block or a reading line as
// soon as its group is complete; a reading before the first station has no
// block to stand in and is left out. A group broken by a wrong line, or cut
// short by the end of the input, ends the book there with its trailer, and
// the success box says so. A file without any station is nothing found.
#include <array>

#include "book/frames.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kTitle = "Importa file mmt";
constexpr const char* kEndOfInputTitle = "Importa file Memotop MMT";
constexpr const char* kBrokenGroup = "Errore di importazione, file importato con alcuni errori.";

constexpr long long kLabelWidth = 10;
constexpr long long kValueColumn = 11;
constexpr long long kPointNumberColumn = 10;  // the point label is one character shorter
constexpr int kMaxJobLines = 5;

constexpr double kMillimetres = 1000;
constexpr double kTenThousandthsGon = 10000;

enum JobValue { kJobTitle, kJobOperator, kJobInstrument, kJobLocality, kJobDate, kJobValues };

struct JobLabel {
    std::string_view label;
    JobValue value;
    const char* fallback;
};

constexpr JobLabel kJobLabels[] = {
    {"LAVORO   :", kJobTitle, "Importazione file MMT"},
    {"NOME     :", kJobOperator, "sconosciuto"},
    {"STRUMENTO:", kJobInstrument, "sconosciuto"},
    {"LOCALITA':", kJobLocality, "nessuna"},
    {"DATA     :", kJobDate, "sconosciuta"},
};

constexpr std::string_view kStationLabel = "STAZIONE :";
constexpr std::string_view kStationNoteLabel = "IDENTIF. :";
constexpr std::string_view kStationHeightLabel = "H-STAZ.  :";

constexpr std::string_view kPointLabel = "NUMERO  :";
// The five lines after the point label, in their order.
constexpr std::array<std::string_view, 5> kPointLines = {"CODICE  :", "H-PRISMA:", "AZIMUT  :", "ZENIT   :",
                                                         "DISTANZA:"};
enum PointLine { kCode, kTargetHeight, kHorizontal, kVertical, kDistance };

std::string label(std::string_view line) { return trim(left(line, kLabelWidth)); }
std::string value(std::string_view line) { return trim(mid(line, kValueColumn)); }

// A measured value in the book's unit, with its blank.
std::string measure(std::string_view text, double divisor) { return str_double(val(text) / divisor); }

struct BrokenGroup {};

class MmtReader {
public:
    explicit MmtReader(Conversion& c) : c_(c), code_from_note_(c.options.op_note == 1)
    {
        for (const JobLabel& job : kJobLabels) job_[job.value] = job.fallback;
    }

    void read()
    {
        std::string line;
        bool in_hand = false;  // a line read among the job lines that is not one
        for (int k = 0; k < kMaxJobLines && c_.in.next_line(line); ++k) {
            if (!job_line(line)) {
                in_hand = true;
                break;
            }
        }
        try {
            while (in_hand || c_.in.next_line(line)) {
                in_hand = false;
                body_line(line);
            }
        } catch (const BrokenGroup&) {
            c_.end_with_success_text(kBrokenGroup);
        }
    }

private:

    bool job_line(std::string_view line)
    {
        const std::string l = label(line);
        for (const JobLabel& job : kJobLabels)
            if (l == job.label) {
                job_[job.value] = value(line);
                return true;
            }
        return false;
    }

    // The header goes before the first station, once the job is known.
    void header()
    {
        if (header_written_) return;
        header_written_ = true;
        write_header(c_.out, job_[kJobTitle], job_[kJobLocality], survey_type(c_.options),
                     "Rilievo eseguito in data " + job_[kJobDate] + " da " + job_[kJobOperator] +
                         " con lo strumento " + job_[kJobInstrument]);
    }

    // The next line of a group, which must carry `expected`.
    std::string group_line(std::string_view expected)
    {
        std::string line;
        if (!c_.in.next_line(line) || label(line) != expected) throw BrokenGroup{};
        return line;
    }

    void body_line(const std::string& line)
    {
        const std::string l = label(line);
        if (l == kStationLabel)
            station(line);
        else if (l == kPointLabel)
            point(line);
    }

    void station(const std::string& first)
    {
        const std::string name = value(first);
        const std::string note = value(group_line(kStationNoteLabel));
        const std::string height = measure(value(group_line(kStationHeightLabel)), kMillimetres);
        header();
        c_.out.tag("#stazione#");
        c_.out.value(lcase(name));
        c_.out.line(height);
        c_.out.value(note);
    }

    void point(const std::string& first)
    {
        const std::string target = lcase(trim(mid(first, kPointNumberColumn)));
        std::array<std::string, kPointLines.size()> v;
        for (std::size_t k = 0; k < kPointLines.size(); ++k) v[k] = value(group_line(kPointLines[k]));
        const std::string note = lcase(v[kCode]);
        const std::string distance = val(v[kDistance]) == 0 ? "INT" : measure(v[kDistance], kMillimetres);
        RecordLine r;
        r.text(target)
            .literal(measure(v[kHorizontal], kTenThousandthsGon))
            .literal(measure(v[kVertical], kTenThousandthsGon))
            .literal(distance)
            .literal(measure(v[kTargetHeight], kMillimetres))
            .text(note)
            .text(code_from_note_ ? ucase(note) : std::string("NN"));
        if (header_written_) c_.out.line(r.str());  // the header stands once a station does
    }

    Conversion& c_;
    const bool code_from_note_;  // "Note <-> Codici punto", read once at the start
    std::array<std::string, kJobValues> job_;
    bool header_written_ = false;
};

}  // namespace

void imp_memotop_mmt(ImportContext& ctx, const std::string& input_path)
{
    Streaming frame(FailurePolicy::standard("MMT", kEndOfInputTitle).end_of_input_only());
    frame.spec.success_title = kTitle;
    frame.spec.nothing_found_title = kTitle;
    frame.run(ctx, input_path, [](Conversion& c) { MmtReader(c).read(); });
}

}  // namespace qrb

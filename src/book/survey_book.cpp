#include "book/survey_book.hpp"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <type_traits>

#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

BookWriter::BookWriter(const std::string& path, Open when) : path_(path), deferred_(when == Open::AtClose)
{
    if (!deferred_) open();
}

void BookWriter::open()
{
    file_ = std::fopen(path_.c_str(), "wb");
    if (!file_) fail_on_book(errno == ENOENT || errno == ENOTDIR ? kPathNotFound : kPathFileAccess);
    // Lines are gathered in buffer_ and handed over in large pieces; the
    // stream keeps no buffer of its own, so that nothing of a failed write is
    // left behind to be written later, after the book has been emptied.
    std::setvbuf(file_, nullptr, _IONBF, 0);
}

void BookWriter::fail_on_book(int code) const { throw RunError(code, error_description(code) + " (" + path_ + ")"); }

BookWriter::~BookWriter()
{
    if (!file_) return;
    flush();
    std::fclose(file_);
}

namespace {
constexpr std::size_t kFlushSize = 1 << 16;

// A tag line that opens a record: any tag but those of the header and the
// trailer.
bool record_tag(std::string_view text)
{
    if (text.size() < 2 || text.front() != '#' || text.back() != '#') return false;
    for (std::string_view t : {"#titolo#", "#loc#", "#tipo#", "#angoli#", "#note#", "#origine#"})
        if (text == t) return false;
    return true;
}
}  // namespace

void BookWriter::line(std::string_view text)
{
    if (!records_ && record_tag(text)) records_ = true;
    put(text);
}

void BookWriter::put(std::string_view text)
{
    if (failed_ || (!file_ && !deferred_)) return;
    buffer_.append(text);
    buffer_.append("\r\n");
    if (file_ && buffer_.size() >= kFlushSize) flush_or_fail();
}

bool BookWriter::write_out(std::string_view bytes)
{
    if (failed_) return false;
    if (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return true;
    // A full disk, an I/O error, a file grown too large: the book is emptied
    // at once, as a failed import leaves it; a book cut inside a line would
    // be read with a wrong value. Nothing more is written to it.
    empty_after_failure();
    return false;
}

void BookWriter::empty_after_failure()
{
    failed_ = true;
    buffer_.clear();
    std::error_code error;
    std::filesystem::resize_file(path_, 0, error);
}

bool BookWriter::flush()
{
    const bool written = write_out(buffer_);
    buffer_.clear();
    return written;
}

void BookWriter::flush_or_fail()
{
    if (!flush()) fail_on_book(kDiskFull);
}

void BookWriter::lines(std::string_view text)
{
    if (text.empty() || failed_ || (!file_ && !deferred_)) return;
    if (file_ && text.size() >= kFlushSize) {
        // A long text goes to the file as it stands, not through the buffer.
        flush_or_fail();
        if (!write_out(text)) fail_on_book(kDiskFull);
        return;
    }
    buffer_.append(text);
    if (file_ && buffer_.size() >= kFlushSize) flush_or_fail();
}

void BookWriter::value(std::string_view text)
{
    // A value is never a tag, whatever it holds.
    if (!needs_field_text(text))
        put(text);
    else
        put(field_text(text));
}

void BookWriter::discard()
{
    buffer_.clear();
    records_ = false;
    if (!file_ || failed_) return;
    std::error_code error;
    std::filesystem::resize_file(path_, 0, error);
    if (error) failed_ = true;
    std::rewind(file_);
}

void BookWriter::close()
{
    if (deferred_) {
        deferred_ = false;
        open();
    }
    if (!file_) return;
    const bool written = flush();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (written && !closed) empty_after_failure();
    if (failed_) fail_on_book(kDiskFull);
}

RecordLine& RecordLine::text(std::string_view field)
{
    append_field_text(line_, field);
    line_ += '|';
    return *this;
}

RecordLine& RecordLine::literal(std::string_view field)
{
    line_ += field;
    line_ += '|';
    return *this;
}

RecordLine& RecordLine::single(float value)
{
    append_single(line_, value, false);
    line_ += '|';
    return *this;
}

RecordLine& RecordLine::dbl(double value)
{
    append_double(line_, value, false);
    line_ += '|';
    return *this;
}

void write_header(BookWriter& out, std::string_view title, std::string_view locality, std::string_view survey_type,
                  std::string_view note)
{
    out.tag("#titolo#");
    out.value(title);
    out.tag("#loc#");
    out.value(locality);
    out.tag("#tipo#");
    out.value(survey_type);
    out.tag("#angoli#");
    out.value("CENT");
    out.tag("#note#");
    out.value(note);
}

void write_header(BookWriter& out, const BookHeader& header)
{
    write_header(out, header.title, header.locality, header.survey_type, header.note);
}

void write_trailer(BookWriter& out)
{
    out.tag("#origine#");
    out.line("0|0|0|");
}

std::string code_by_op_note(std::string_view field6, int op_note) { return op_note == 1 ? ucase(field6) : "NN"; }

namespace {

// The usual short line is built in one piece, then appended at once (room for
// the four numbers, the bars and the line end); a longer one is appended
// field by field, through a string when `out` is a block.
template <class Out>
void append_reading_line_to(Out& out, const ReadingView& reading, std::string_view field6, std::string_view field7,
                            bool leading_blank, bool line_end)
{
    constexpr std::size_t kNumbers = 4 * 49 + 16;
    char line[512];
    if (reading.target.size() + field6.size() + field7.size() + kNumbers <= sizeof line) {
        std::size_t n = 0;
        auto text = [&line, &n](std::string_view s) {
            for (const char c : s) {
                if (c == '\r' || c == '\n') continue;
                line[n++] = c == '|' ? '\\' : c;
            }
            line[n++] = '|';
        };
        auto number = [&line, &n, leading_blank](float v) {
            n += write_single(line + n, v, leading_blank);
            line[n++] = '|';
        };
        text(reading.target);
        number(reading.hz);
        number(reading.v);
        if (reading.dist == 0)
            text("INT");
        else
            number(reading.dist);
        number(reading.target_height);
        text(field6);
        text(field7);
        if (line_end) {
            line[n++] = '\r';
            line[n++] = '\n';
        }
        out.append(std::string_view(line, n));
        return;
    }
    if constexpr (!std::is_same_v<Out, std::string>) {
        std::string long_line;
        append_reading_line_to(long_line, reading, field6, field7, leading_blank, line_end);
        out.append(long_line);
    } else {
        auto number = [&out, leading_blank](float v) {
            append_single(out, v, leading_blank);
            out += '|';
        };
        append_field_text(out, reading.target);
        out += '|';
        number(reading.hz);
        number(reading.v);
        if (reading.dist == 0)
            out += "INT|";
        else
            number(reading.dist);
        number(reading.target_height);
        append_field_text(out, field6);
        out += '|';
        append_field_text(out, field7);
        out += '|';
        if (line_end) out += "\r\n";
    }
}

}  // namespace

void append_reading_line(std::string& out, const ReadingView& reading, std::string_view field6,
                         std::string_view field7, bool leading_blank, bool line_end)
{
    append_reading_line_to(out, reading, field6, field7, leading_blank, line_end);
}

void append_reading_line(LineBlock& out, const ReadingView& reading, std::string_view field6,
                         std::string_view field7, bool leading_blank, bool line_end)
{
    append_reading_line_to(out, reading, field6, field7, leading_blank, line_end);
}

std::string reading_line(const Reading& reading, std::string_view field6, std::string_view field7, bool leading_blank)
{
    std::string line;
    append_reading_line(line, reading.view(), field6, field7, leading_blank);
    return line;
}

std::string known_point_line(std::string_view name, double east, double north, double height, std::string_view note)
{
    RecordLine r;
    r.text(name).dbl(east).dbl(north).dbl(height).text(note).literal("NN").empty();
    return r.str();
}

std::string known_points_question(std::string_view format_word)
{
    return "Nel file " + std::string(format_word) +
           " sono stati individuati dei punti noti sotto forma di coordinate, aggiungere tali punti alla lista dei "
           "punti noti di " +
           kProductName +
           " ? Se non si è sicuri sul sistema di riferimento scegliere no in quanto se questo risultasse errato "
           "l'elaborazione genererebbe scarti elevati.";
}

std::string book_text(std::string_view utf8) { return utf8_to_cp1252(utf8); }

}  // namespace qrb

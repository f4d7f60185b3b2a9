#pragma once
// The survey book ("libretto QRB"): Windows-1252 text, one item per line,
// every line ended by CR LF, no byte-order mark.
#include <cstdio>
#include <string>
#include <string_view>

#include "common/tables.hpp"

namespace qrb {

// Writes the lines of one survey book. Opening creates or empties the file;
// a book written at close leaves the file untouched until close() and, when
// the conversion ends without close(), altogether. Failures name the book's
// path in their description. A write that fails (a full disk, an I/O error,
// a file too large) empties the book and fails as a full disk (61), once:
// the lines after it are dropped, and close() fails again.
class BookWriter {
public:
    enum class Open { AtStart, AtClose };
    // Fails with a path error (75 or 76) when the file cannot be created.
    explicit BookWriter(const std::string& path, Open when = Open::AtStart);
    ~BookWriter();
    BookWriter(const BookWriter&) = delete;
    BookWriter& operator=(const BookWriter&) = delete;

    // One line as it stands, followed by CR LF.
    void line(std::string_view text);
    // A value line: one value, made safe as a record field is ("|" becomes
    // "\", CR and LF are dropped).
    void value(std::string_view text);
    // Lines already ended by CR LF, as they stand.
    void lines(std::string_view text);
    // A tag line such as "#stazione#".
    void tag(std::string_view name) { line(name); }
    // True once a record was written: any tag line ("#...#") but those of
    // the header and the trailer (a station, a known point, a GNSS block ...).
    bool has_records() const { return records_; }
    // Flushes and closes; a write that failed (a full disk) fails here (61).
    void close();
    // Drops every line written so far: the file is left empty.
    void discard();

private:
    void put(std::string_view text);  // one line, ended by CR LF
    void open();
    // Hands the bytes to the file; false (the book emptied) when it fails.
    bool write_out(std::string_view bytes);
    bool flush();
    void flush_or_fail();
    void empty_after_failure();
    [[noreturn]] void fail_on_book(int code) const;

    std::string path_;
    bool deferred_ = false;  // the file is opened at close()
    std::FILE* file_ = nullptr;
    bool records_ = false;
    std::string buffer_;  // lines not yet handed to the file
    bool failed_ = false;  // a write failed: the book was emptied
};

// A record line: every field followed by "|".
class RecordLine {
public:
    // Text taken from an input: "|" becomes "\", CR and LF are dropped.
    RecordLine& text(std::string_view field);
    // Fixed text of the program, or a field already made safe.
    RecordLine& literal(std::string_view field);
    RecordLine& single(float value);   // single precision, trimmed
    RecordLine& dbl(double value);     // double precision, trimmed
    RecordLine& empty() { return literal({}); }
    const std::string& str() const { return line_; }

private:
    std::string line_;
};

// The values of the header's five tags ("#angoli#" is always "CENT").
struct BookHeader {
    std::string title;
    std::string locality = "Nessuna";
    std::string survey_type;
    std::string note;
};

// Header: five tags, each with its value line.
void write_header(BookWriter& out, std::string_view title, std::string_view locality, std::string_view survey_type,
                  std::string_view note);
void write_header(BookWriter& out, const BookHeader& header);
// Trailer: "#origine#" and "0|0|0|".
void write_trailer(BookWriter& out);

// Field 7 of a reading line: the upper-cased field 6 when op_note is 1,
// otherwise "NN".
std::string code_by_op_note(std::string_view field6, int op_note);

// A reading line: target, Hz, vertical value, distance ("INT" when 0),
// target height, field 6, field 7. With `leading_blank` the four numbers keep
// the blank before a value that is not negative.
std::string reading_line(const Reading& reading, std::string_view field6, std::string_view field7,
                         bool leading_blank = false);
// The same, appended to `out`; with `line_end` followed by CR LF.
void append_reading_line(std::string& out, const ReadingView& reading, std::string_view field6,
                         std::string_view field7, bool leading_blank = false, bool line_end = false);
// The same, appended to a block in one piece.
void append_reading_line(LineBlock& out, const ReadingView& reading, std::string_view field6,
                         std::string_view field7, bool leading_blank = false, bool line_end = false);

// A known-point line in its common form: name, east, north, height, note,
// "NN" and an empty seventh field.
std::string known_point_line(std::string_view name, double east, double north, double height, std::string_view note);

// The product's name, as its version data give it; some messages name it.
inline constexpr const char* kProductName = "Quarel";

// The question whether the known points found in a file are added to the
// book (UTF-8), naming the file's format ("MM2").
std::string known_points_question(std::string_view format_word);

// A literal of the source code (UTF-8) as survey-book text (Windows-1252).
std::string book_text(std::string_view utf8);

}  // namespace qrb

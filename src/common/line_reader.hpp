#pragma once
// Reading a recorder file line by line. A line ends at CR LF, at a lone CR or
// at a lone LF; the line end is not part of the line. Bytes are kept as they
// are (Windows-1252 text). A 0x1A byte (the DOS end-of-file mark that many
// recorders and download programs append) ends the input; a read error is a
// failure (57), never taken for the end.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qrb {

class LineReader {
public:
    // Opens the file; a missing file fails with file not found (53); one that
    // may not be read, or anything but a regular file (a folder, a FIFO, a
    // device), with a path/file access error (75), without waiting.
    explicit LineReader(const std::string& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // True when no further line can be read.
    bool at_end();
    // The next line; reading past the end fails (62).
    std::string read_line();
    // The next line into `line`; false at the end (nothing read).
    bool next_line(std::string& line);
    // The next line as a view into the reader's buffer, valid until the next
    // call of any reading function; false at the end.
    bool next_line(std::string_view& line);

private:
    // Unread input is in [pos_, len_); true when there is some.
    bool settle();
    bool fill();
    bool read_more();
    // The unread text up to the first line end in the buffer, searched from
    // `from` (no line end before it); true when there is one: the line end is
    // then passed.
    bool take_to_line_end(std::size_t from, std::string_view& piece);

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool ended_ = false;    // nothing more will be read from the file
    bool skip_lf_ = false;  // the last line ended at a CR: an LF right after it belongs to it
};

}  // namespace qrb

#pragma once
// Reading a recorder file line by line. A line ends at CR LF, at a lone CR or
// at a lone LF; the line end is not part of the line. Bytes are kept as they
// are (Windows-1252 text).
#include <cstdio>
#include <string>
#include <vector>

namespace qrb {

class LineReader {
public:
    // Opens the file; a file that cannot be opened fails with file not found (53).
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
    // The next byte, or -1 at the end.
    int read_byte();
    // From now on a 0x1A byte (the DOS end-of-file mark) ends the input:
    // nothing from it on is read.
    void end_at_dos_mark() { end_at_dos_mark_ = true; }

private:
    bool fill();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool end_at_dos_mark_ = false;
    bool at_dos_mark_ = false;  // the mark was met: nothing more to read
};

}  // namespace qrb

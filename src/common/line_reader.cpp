#include "common/line_reader.hpp"

#include <algorithm>
#include <cstring>

#include "common/failure.hpp"

namespace qrb {

LineReader::LineReader(const std::string& path) : buffer_(1 << 16)
{
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) fail(kFileNotFound);
}

LineReader::~LineReader()
{
    if (file_) std::fclose(file_);
}

bool LineReader::fill()
{
    if (pos_ < len_) return true;
    if (at_dos_mark_) return false;
    pos_ = 0;
    len_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_at_dos_mark_) {
        if (const void* mark = std::memchr(buffer_.data(), 0x1A, len_)) {
            len_ = static_cast<std::size_t>(static_cast<const char*>(mark) - buffer_.data());
            at_dos_mark_ = true;
        }
    }
    return len_ > 0;
}

bool LineReader::at_end() { return !fill(); }

int LineReader::read_byte()
{
    if (!fill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_++]);
}

namespace {

// The first CR or LF in [p, stop), or stop. Searches in short windows so that
// a file without CR does not make every line scan the whole buffer.
const char* find_line_end(const char* p, const char* stop)
{
    constexpr std::size_t kWindow = 256;
    while (p < stop) {
        const char* window_end = p + std::min<std::size_t>(kWindow, static_cast<std::size_t>(stop - p));
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(window_end - p)));
        const char* limit = cr ? cr : window_end;
        if (const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(limit - p))))
            return lf;
        if (cr) return cr;
        p = window_end;
    }
    return stop;
}

}  // namespace

bool LineReader::next_line(std::string& line)
{
    line.clear();
    if (!fill()) return false;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const std::size_t avail = len_ - pos_;
        const char* stop = start + avail;
        const char* end = find_line_end(start, stop);
        line.append(start, static_cast<std::size_t>(end - start));
        pos_ += static_cast<std::size_t>(end - start);
        if (end < stop) {
            const char terminator = *end;
            ++pos_;
            if (terminator == '\r' && fill() && buffer_[pos_] == '\n') ++pos_;
            return true;
        }
        if (!fill()) return true;  // last line without a line end
    }
}

std::string LineReader::read_line()
{
    std::string line;
    if (!next_line(line)) fail(kPastEndOfInput);
    return line;
}

}  // namespace qrb

#include "common/line_reader.hpp"

#include <cstring>

#include "common/failure.hpp"

namespace qrb {

LineReader::LineReader(const std::string& path) : buffer_(1 << 20)
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
    pos_ = 0;
    len_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    return len_ > 0;
}

bool LineReader::at_end() { return !fill(); }

int LineReader::read_byte()
{
    if (!fill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_++]);
}

bool LineReader::next_line(std::string& line)
{
    line.clear();
    if (!fill()) return false;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const std::size_t avail = len_ - pos_;
        const char* end = start;
        const char* stop = start + avail;
        while (end < stop && *end != '\r' && *end != '\n') ++end;
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

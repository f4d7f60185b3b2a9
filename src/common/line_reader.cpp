#include "common/line_reader.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/failure.hpp"

namespace qrb {

LineReader::LineReader(const std::string& path) : buffer_(1 << 16)
{
    // Opened without waiting, so that a FIFO or a device never blocks here;
    // only a regular file is a recording.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) fail(errno == EACCES || errno == EPERM ? kPathFileAccess : kFileNotFound);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0 ||
        !(file_ = ::fdopen(fd, "rb"))) {
        ::close(fd);
        fail(kPathFileAccess);
    }
}

LineReader::~LineReader()
{
    if (file_) std::fclose(file_);
}

namespace {

constexpr char kEndOfFileMark = 0x1A;

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

bool LineReader::read_more()
{
    if (ended_) return false;
    // What is unread moves to the front; a line longer than the buffer grows it.
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, len_ - pos_);
        len_ -= pos_;
        pos_ = 0;
    }
    if (len_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    char* at = buffer_.data() + len_;
    std::size_t n = std::fread(at, 1, buffer_.size() - len_, file_);
    if (n == 0) {
        if (std::ferror(file_)) fail(kDeviceIO);
        ended_ = true;
        return false;
    }
    if (const void* mark = std::memchr(at, kEndOfFileMark, n)) {
        n = static_cast<std::size_t>(static_cast<const char*>(mark) - at);
        ended_ = true;
    }
    len_ += n;
    return n > 0;
}

bool LineReader::fill() { return pos_ < len_ || read_more(); }

bool LineReader::settle()
{
    if (!fill()) return false;
    if (skip_lf_) {
        skip_lf_ = false;
        if (buffer_[pos_] == '\n') {
            ++pos_;
            return fill();
        }
    }
    return true;
}

bool LineReader::at_end() { return !settle(); }

// Inline: it runs once a line, in both ways of reading one.
inline bool LineReader::take_to_line_end(std::size_t from, std::string_view& piece)
{
    const char* data = buffer_.data();
    const char* end = find_line_end(data + from, data + len_);
    piece = std::string_view(data + pos_, static_cast<std::size_t>(end - (data + pos_)));
    if (end == data + len_) return false;
    skip_lf_ = *end == '\r';
    pos_ = static_cast<std::size_t>(end - data) + 1;
    return true;
}

bool LineReader::next_line(std::string_view& line)
{
    if (!settle()) return false;
    std::size_t scanned = pos_;  // no line end before it
    while (!take_to_line_end(scanned, line)) {
        const std::size_t unread_scanned = len_ - pos_;
        if (!read_more()) {
            // The last line, without a line end.
            line = std::string_view(buffer_.data() + pos_, len_ - pos_);
            pos_ = len_;
            return true;
        }
        scanned = pos_ + unread_scanned;
    }
    return true;
}

bool LineReader::next_line(std::string& line)
{
    line.clear();
    if (!settle()) return false;
    // Taken piece by piece: a long line grows the string, not the buffer.
    std::string_view piece;
    while (!take_to_line_end(pos_, piece)) {
        line.append(piece);
        pos_ = len_;
        // The last line, without a line end.
        if (!read_more()) return true;
    }
    line.append(piece);
    return true;
}

std::string LineReader::read_line()
{
    std::string line;
    if (!next_line(line)) fail(kPastEndOfInput);
    return line;
}

}  // namespace qrb

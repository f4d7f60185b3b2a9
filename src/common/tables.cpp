#include "common/tables.hpp"

#include <algorithm>
#include <stdexcept>

#include "common/text.hpp"

namespace qrb {

Reading& StationRecord::add_reading()
{
    readings_sized = true;
    return readings.emplace_back();
}

namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// Sizes as 7 bits a byte, the last byte below 128.
std::size_t varint_size(std::size_t value)
{
    std::size_t n = 1;
    for (; value >= 0x80; value >>= 7) ++n;
    return n;
}

void append_varint(std::string& out, std::size_t value)
{
    for (; value >= 0x80; value >>= 7) out += static_cast<char>((value & 0x7F) | 0x80);
    out += static_cast<char>(value);
}

std::size_t read_varint(std::string_view text, std::size_t& pos)
{
    std::size_t value = 0;
    for (unsigned shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(text[pos++]);
        value |= std::size_t{byte & 0x7Fu} << shift;
        if (byte < 0x80) return value;
    }
}

}  // namespace

void FinishedStations::push_back(const FinishedStation& station)
{
    const std::size_t counted = station.reading_count * 2 + (station.readings_sized ? 1 : 0);
    const std::size_t size = varint_size(station.name.size()) + station.name.size() +
                             varint_size(station.text.size()) + station.text.size() + varint_size(counted);
    // A station is never split: a piece too full for it is left as it is.
    if (pieces_.empty() || pieces_.back().capacity() - pieces_.back().size() < size) {
        pieces_.emplace_back().reserve(std::max(kPieceSize, size));
    }
    std::string& piece = pieces_.back();
    append_varint(piece, station.name.size());
    piece.append(station.name);
    append_varint(piece, station.text.size());
    piece.append(station.text);
    append_varint(piece, counted);
    ++count_;
}

void FinishedStations::clear()
{
    pieces_.clear();
    count_ = 0;
}

void FinishedStations::for_each(const std::function<void(const FinishedStation&)>& visit) const
{
    for (const std::string_view piece : pieces_) {
        for (std::size_t pos = 0; pos < piece.size();) {
            FinishedStation station;
            const std::size_t name_size = read_varint(piece, pos);
            station.name = piece.substr(pos, name_size);
            pos += name_size;
            const std::size_t text_size = read_varint(piece, pos);
            station.text = piece.substr(pos, text_size);
            pos += text_size;
            const std::size_t counted = read_varint(piece, pos);
            station.reading_count = counted / 2;
            station.readings_sized = counted % 2 != 0;
            visit(station);
        }
    }
}

void StationTable::clear()
{
    finished_.clear();
    stations_.clear();
    finish_ = nullptr;
    text_.clear();
    first_.clear();
    indexed_ = 0;
}

StationRecord& StationTable::add(std::string name, float height, std::string note)
{
    if (finish_ && !stations_.empty()) {
        const StationRecord& done = stations_.back();
        text_.clear();
        finish_(done, text_);
        const std::size_t count = done.reading_count();
        finished_.push_back({count == 0 ? std::string_view(done.name) : std::string_view(), text_, count,
                             done.readings_sized});
        stations_.pop_back();
    } else if (!stations_.empty()) {
        // The station before is complete as a rule: its finished lines give
        // back the room they were growing into.
        stations_.back().finished_lines.shrink_to_fit();
    }
    auto& s = stations_.emplace_back();
    s.name = std::move(name);
    s.height = height;
    s.note = std::move(note);
    return s;
}

void StationTable::rename(std::size_t index, std::string name)
{
    (*this)[index].name = std::move(name);
    first_.clear();
    indexed_ = 0;
}

std::optional<StationHit> StationTable::find(const std::string& name) const
{
    if (!finished_.empty()) throw std::logic_error("StationTable::find over finished stations");
    for (; indexed_ < stations_.size(); ++indexed_) first_.emplace(stations_[indexed_].name, indexed_);
    const auto it = first_.find(name);
    if (it == first_.end()) return std::nullopt;
    return StationHit{it->second, stations_[it->second].reading_count()};
}

GnssVector& GnssBaseRecord::add_vector() { return vectors.emplace_back(); }

void GnssBaseTable::clear()
{
    bases_.clear();
    exact_.clear();
    folded_.clear();
    indexed_ = 0;
}

GnssBaseRecord& GnssBaseTable::add(std::string name)
{
    auto& b = bases_.emplace_back();
    b.name = std::move(name);
    return b;
}

void GnssBaseTable::rename(std::size_t index, std::string name)
{
    bases_[index].name = std::move(name);
    exact_.clear();
    folded_.clear();
    indexed_ = 0;
}

void GnssBaseTable::index() const
{
    for (; indexed_ < bases_.size(); ++indexed_) {
        exact_.emplace(bases_[indexed_].name, indexed_);
        folded_.emplace(ucase(bases_[indexed_].name), indexed_);
    }
}

std::optional<GnssBaseHit> GnssBaseTable::find(const std::string& name) const
{
    index();
    const auto it = exact_.find(name);
    if (it == exact_.end()) return std::nullopt;
    return GnssBaseHit{it->second, bases_[it->second].vectors.size()};
}

GnssBaseHit GnssBaseTable::find_or_add(const std::string& name)
{
    index();
    const auto it = folded_.find(ucase(name));
    if (it != folded_.end()) return GnssBaseHit{it->second, bases_[it->second].vectors.size()};
    add(name);
    return GnssBaseHit{bases_.size() - 1, 0};
}

void GeoPointTable::clear()
{
    points_.clear();
    folded_.clear();
    indexed_ = 0;
}

GeoPointRecord& GeoPointTable::add(GeoPointRecord point) { return points_.emplace_back(std::move(point)); }

const GeoPointRecord* GeoPointTable::find(const std::string& name) const
{
    for (; indexed_ < points_.size(); ++indexed_) folded_.emplace(ucase(points_[indexed_].name), indexed_);
    const auto it = folded_.find(ucase(name));
    return it == folded_.end() ? nullptr : &points_[it->second];
}

}  // namespace qrb

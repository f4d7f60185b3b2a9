#include "common/tables.hpp"

#include <stdexcept>

namespace qrb {

Reading& ReadingList::emplace_back()
{
    if (!list_) list_ = std::make_unique<std::vector<Reading>>();
    return list_->emplace_back();
}

Reading& StationRecord::add_reading()
{
    readings_sized = true;
    return readings.emplace_back();
}

void FinishedStations::push_back(const FinishedStation& station)
{
    char room[16];
    const std::size_t counted = station.reading_count * 2 + (station.readings_sized ? 1 : 0);
    texts_.push_back({station.name, station.text, PackedTexts::number_text(counted, room)});
}

void FinishedStations::for_each(const std::function<void(const FinishedStation&)>& visit) const
{
    texts_.for_each([&visit](std::span<const std::string_view> texts) {
        const std::size_t counted = PackedTexts::text_number(texts[2]);
        visit({texts[0], texts[1], counted / 2, counted % 2 != 0});
    });
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
    // The next station's finished lines and readings go into the block and
    // the list of the one finished, emptied: their room is reused, not made
    // again for each station.
    LineBlock lines;
    ReadingList readings;
    if (finish_ && !stations_.empty()) {
        StationRecord& done = stations_.back();
        text_.clear();
        finish_(done, text_);
        const std::size_t count = done.reading_count();
        finished_.push_back({count == 0 ? std::string_view(done.name) : std::string_view(), text_, count,
                             done.readings_sized});
        lines = std::move(done.finished_lines);
        lines.clear();
        readings = std::move(done.readings);
        readings.clear_keeping_room();
        stations_.pop_back();
    }
    auto& s = stations_.emplace_back();
    s.finished_lines = std::move(lines);
    s.readings = std::move(readings);
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
    auto name_at = [this](std::size_t i) -> std::string_view { return stations_[i].name; };
    for (; indexed_ < stations_.size(); ++indexed_) first_.add(indexed_, name_at);
    const std::optional<std::size_t> i = first_.find(name, name_at);
    if (!i) return std::nullopt;
    return StationHit{*i, stations_[*i].reading_count()};
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

std::optional<GnssBaseHit> GnssBaseTable::found(const NameIndex& index, const std::string& name) const
{
    auto name_at = [this](std::size_t i) -> std::string_view { return bases_[i].name; };
    for (; indexed_ < bases_.size(); ++indexed_) {
        exact_.add(indexed_, name_at);
        folded_.add(indexed_, name_at);
    }
    const std::optional<std::size_t> i = index.find(name, name_at);
    if (!i) return std::nullopt;
    return GnssBaseHit{*i, bases_[*i].vector_count()};
}

std::optional<GnssBaseHit> GnssBaseTable::find(const std::string& name) const { return found(exact_, name); }

GnssBaseHit GnssBaseTable::find_or_add(const std::string& name)
{
    if (const std::optional<GnssBaseHit> hit = found(folded_, name)) return *hit;
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
    auto name_at = [this](std::size_t i) -> std::string_view { return points_[i].name; };
    for (; indexed_ < points_.size(); ++indexed_) folded_.add(indexed_, name_at);
    const std::optional<std::size_t> i = folded_.find(name, name_at);
    return i ? &points_[*i] : nullptr;
}

}  // namespace qrb

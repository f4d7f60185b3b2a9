#pragma once
// The three collection tables that the collect-then-write converters fill:
// stations with their readings, GNSS bases with their vectors, and points
// given by latitude and longitude. Positions are 0-based. Lookups by name keep
// the first match of a scan in table order but cost no scan per call: each
// table keeps an index of first occurrences, extended as the table grows.
// Names are fixed when an element is added (use rename() to change one).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_block.hpp"
#include "common/name_index.hpp"
#include "common/packed_texts.hpp"

namespace qrb {

// One reading: the target, Hz, the vertical value, the distance, the target
// height, its code and note. A Reading owns its texts; a ReadingView holds
// them as views (straight from the line read, or into a Reading).
template <class Text>
struct BasicReading {
    Text target;
    float hz = 0;
    float v = 0;
    float dist = 0;  // 0 means none
    float target_height = 0;
    Text code;
    Text note;

    BasicReading<std::string_view> view() const
    {
        return {target, hz, v, dist, target_height, code, note};
    }
};
using Reading = BasicReading<std::string>;
using ReadingView = BasicReading<std::string_view>;

// The readings of a station not yet made book lines: a list made with the
// first of them, as most stations hold none for long.
class ReadingList {
public:
    bool empty() const { return !list_ || list_->empty(); }
    std::size_t size() const { return list_ ? list_->size() : 0; }
    Reading& back() { return list_->back(); }
    const Reading* begin() const { return list_ ? list_->data() : nullptr; }
    const Reading* end() const { return list_ ? list_->data() + list_->size() : nullptr; }
    Reading& emplace_back();
    // Drops the readings and gives back their room.
    void clear() { list_.reset(); }
    // Drops the readings, keeping their room for the next ones.
    void clear_keeping_room()
    {
        if (list_) list_->clear();
    }

private:
    std::unique_ptr<std::vector<Reading>> list_;
};

struct StationRecord {
    std::string name;
    std::string note;
    ReadingList readings;
    // Readings already turned into their book lines (each ended by CR LF),
    // standing before `readings`: a converter that never changes a reading
    // once its line is read keeps its stations compact so.
    LineBlock finished_lines;
    std::uint32_t finished_count : 31 = 0;
    // A station whose reading list was never sized has no readings at all;
    // one sized to hold none is written as a bare block by the converters
    // that do so.
    bool readings_sized : 1 = false;
    float height = 0;

    Reading& add_reading();
    void size_readings() { readings_sized = true; }
    std::size_t reading_count() const { return finished_count + readings.size(); }
};

struct StationHit {
    std::size_t index;
    std::size_t reading_count;
};

// A station complete before the next one was added, as the table holds it:
// the text of its block after the tag, its reading count and whether its
// reading list was sized. The name is kept for a station without readings
// only (the one a message may name).
struct FinishedStation {
    std::string_view name;
    std::string_view text;
    std::size_t reading_count = 0;
    bool readings_sized = false;
};

// Finished stations in table order, each as its texts and counts only.
class FinishedStations {
public:
    void push_back(const FinishedStation& station);
    void clear() { texts_.clear(); }
    std::size_t size() const { return texts_.size(); }
    bool empty() const { return texts_.empty(); }
    void for_each(const std::function<void(const FinishedStation&)>& visit) const;

private:
    PackedTexts texts_;
};

class StationTable {
public:
    // The book text of a complete station (its block after the tag).
    using Finisher = std::function<void(const StationRecord&, std::string& text)>;

    void clear();
    StationRecord& add(std::string name, float height = 0, std::string note = {});
    void rename(std::size_t index, std::string name);
    std::size_t size() const { return finished_.size() + stations_.size(); }
    bool empty() const { return size() == 0; }
    // Stations not finished only: index at least finished().size().
    StationRecord& operator[](std::size_t i) { return stations_[i - finished_.size()]; }
    const StationRecord& operator[](std::size_t i) const { return stations_[i - finished_.size()]; }
    StationRecord& back() { return stations_.back(); }
    // The stations not finished, in table order after the finished ones.
    auto begin() const { return stations_.begin(); }
    auto end() const { return stations_.end(); }

    // For a converter that never touches a station once the next one is
    // added: from now on, adding a station finishes the one before it,
    // which is then held as `finish` gives its text (until clear()). A
    // finished station is no longer reached by index nor found by name.
    void finish_on_add(Finisher finish) { finish_ = std::move(finish); }
    const FinishedStations& finished() const { return finished_; }

    // First station named exactly `name` (case and blanks count).
    std::optional<StationHit> find(const std::string& name) const;

private:
    FinishedStations finished_;
    std::deque<StationRecord> stations_;
    Finisher finish_;
    std::string text_;  // room for the text of the station being finished
    mutable NameIndex first_;
    mutable std::size_t indexed_ = 0;
};

struct GnssVector {
    std::string point;
    double dx = 0;
    double dy = 0;
    double dz = 0;
    float antenna_height = 0;
    std::string code;
    std::string note;
    std::string covariance = "0,0,0,0,0,0";
    float pdop = 0;
};

struct GnssBaseRecord {
    std::string name;
    double x = 0;
    double y = 0;
    double z = 0;
    float antenna_height = 0;
    std::string note;
    std::vector<GnssVector> vectors;
    // Vectors already turned into their book lines (each ended by CR LF),
    // standing before `vectors`, as a station's finished readings are.
    LineBlock finished_lines;
    std::size_t finished_count = 0;

    GnssVector& add_vector();
    std::size_t vector_count() const { return finished_count + vectors.size(); }
};

struct GnssBaseHit {
    std::size_t index;
    std::size_t vector_count;
};

class GnssBaseTable {
public:
    void clear();
    GnssBaseRecord& add(std::string name);
    void rename(std::size_t index, std::string name);
    std::size_t size() const { return bases_.size(); }
    bool empty() const { return bases_.empty(); }
    GnssBaseRecord& operator[](std::size_t i) { return bases_[i]; }
    const GnssBaseRecord& operator[](std::size_t i) const { return bases_[i]; }
    auto begin() const { return bases_.begin(); }
    auto end() const { return bases_.end(); }

    // First base named exactly `name`.
    std::optional<GnssBaseHit> find(const std::string& name) const;
    // First base whose name equals `name` without regard to case; appends a
    // base of that name (as given) when there is none.
    GnssBaseHit find_or_add(const std::string& name);

private:
    // The first base whose name `index` matches with `name`, the index
    // extended over the bases added since.
    std::optional<GnssBaseHit> found(const NameIndex& index, const std::string& name) const;
    std::deque<GnssBaseRecord> bases_;
    mutable NameIndex exact_;
    mutable NameIndex folded_{NameIndex::Case::Ignored};
    mutable std::size_t indexed_ = 0;
};

struct GeoPointRecord {
    std::string name;
    double lat = 0;  // radians
    double lon = 0;  // radians
    double h = 0;
    float antenna_height = 0;
    std::string note;
    std::string code;
};

struct Ecef {
    double x = 0;
    double y = 0;
    double z = 0;
};

class GeoPointTable {
public:
    void clear();
    GeoPointRecord& add(GeoPointRecord point);
    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    GeoPointRecord& operator[](std::size_t i) { return points_[i]; }
    const GeoPointRecord& operator[](std::size_t i) const { return points_[i]; }
    auto begin() const { return points_.begin(); }
    auto end() const { return points_.end(); }

    // First point whose name equals `name` without regard to case.
    const GeoPointRecord* find(const std::string& name) const;

private:
    std::deque<GeoPointRecord> points_;
    mutable NameIndex folded_{NameIndex::Case::Ignored};
    mutable std::size_t indexed_ = 0;
};

}  // namespace qrb

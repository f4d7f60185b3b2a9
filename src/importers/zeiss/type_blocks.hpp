#pragma once
// The type/value blocks of the fixed-column Zeiss and Trimble reading lines
// (R5, 3300/3600, M5), and the recomputation of a reading for the survey
// type chosen in the window.
//
// A line carries up to three blocks, each a two-character type code and a
// value: "SD" or "HD" a distance, "Hz" the horizontal angle, "V1" a zenith
// angle, "h" a height difference (stored as value - instrument height +
// target height); any other code stores nothing. The distance of the line is
// stored first, wherever its block stands; then each vertical block in column
// order, each recomputed: under "OD" a zenith angle and slope distance become
// height difference and horizontal distance, under "IZ" a height difference
// and horizontal distance become zenith angle and slope distance; with
// neither type chosen nothing is recomputed. A later vertical block overwrites
// the vertical value; a distance recomputed by an earlier one stays.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "book/import_context.hpp"
#include "book/frames.hpp"
#include "common/tables.hpp"

namespace qrb::zeiss {

struct TypeBlock {
    std::string type;   // trimmed
    std::string value;  // trimmed
};

// Where a block lies on a line: 1-based columns; a value length of 0 runs to
// the end of the line.
struct BlockColumns {
    long long type;
    long long value;
    long long value_length;
};

using LineBlocks = std::array<TypeBlock, 3>;

// The three blocks of a line, each field trimmed.
LineBlocks read_blocks(std::string_view line, const std::array<BlockColumns, 3>& columns);

// The instrument and target heights in force.
struct Heights {
    float instrument = 0;
    float target = 0;
};

// A recorded height difference as the reading's vertical value: less the
// instrument height, plus the target height.
float height_difference(double recorded, const Heights& heights);

// A height marker and its value on a height line: "th" sets the target
// height, "ih" the instrument height; with `point_markers` also "hp" (the
// target) and "hs" (the instrument). Markers are compared as they stand.
struct HeightColumns {
    long long marker;
    long long value;
    long long value_length;
    bool point_markers = false;
};

// Applies the height markers of a line, in column order (a later one wins).
void read_heights(std::string_view line, std::span<const HeightColumns> columns, Heights& heights);

// Stores the blocks of one line into the reading, then recomputes it.
void store_blocks(Reading& reading, std::span<const TypeBlock> blocks, const Heights& heights, SurveyType type);

// The frame of the fixed-column converters of one format ("R5", "M5"): its
// texts ("Importa file formato R5", "Importazione file formato R5", the book
// title "Importazione file R5") and the book's note.
CollectThenWrite fixed_column_frame(const ImportOptions& options, const std::string& format, std::string note);

// Adds a reading of `target` to the station: its code ("nn" when empty), the
// target height in force, then its blocks.
void add_reading(StationRecord& station, std::string target, std::string code, const LineBlocks& blocks,
                 const Heights& heights, SurveyType type);

}  // namespace qrb::zeiss

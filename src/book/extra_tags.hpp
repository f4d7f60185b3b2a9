#pragma once
// The survey book's tags for work other than stations and GNSS vectors:
//   "#allineamento#"  a point placed relative to the line between two
//                     reference points (alignment line, method line, point line);
//   "#livello#"       a height carried from a reference point to a point;
//   "#ptorxy#", "#ptorz#"  the plane coordinates and the elevation of a
//                     reference point, always as a pair;
//   "#dirimg#"        the folder of images that belongs to the survey.
// A converter collects them while reading; write_station_table writes each
// kind at its place: alignments after the stations, levels after the known
// points, reference points after the geographic points, then the image
// folder, then the trailer. Every field of a record line is followed by "|";
// the method line and the folder line are single texts.
#include <string>
#include <string_view>

#include "book/survey_book.hpp"
#include "common/packed_texts.hpp"

namespace qrb {

// One "#allineamento#" block. Fields are survey-book text as the recorder
// wrote it.
struct AlignmentBlock {
    std::string start;   // the line runs from this reference point ...
    std::string end;     // ... to this one
    std::string value;   // "0" after an offset, "50" or "0.00" in an intersection
    std::string method;  // kAlignmentOffset or kIntersection
    std::string point;
    std::string distance;
    std::string offset;  // "0.00" in an intersection
    std::string note;
    std::string code;
};

inline constexpr const char* kAlignmentOffset = "*S* Allin offset";
inline constexpr const char* kIntersection = "*S* Intersezione";

// One "#livello#" block.
struct LevelBlock {
    std::string reference;
    std::string value;  // "0.00"
    std::string point;
    std::string height_difference;
    std::string note;
};

// One "#ptorxy#" / "#ptorz#" pair.
struct ReferencePoint {
    std::string name;
    std::string east;
    std::string north;
    std::string elevation;
};

// The blocks collected, each held as its lines after the tag (survey-book
// text, every line ended by CR LF), in the order added.
struct ExtraTags {
    PackedTexts alignments;
    PackedTexts levels;
    PackedTexts reference_points;
    // The image folder; "#dirimg#" is written only when this path names an
    // existing folder (or file) at the time of writing. Empty: none.
    std::string image_folder;

    void add(const AlignmentBlock& block);
    void add(const LevelBlock& block);
    void add(const ReferencePoint& point);
    void clear() { *this = ExtraTags{}; }
};

// The image folder of a recording: its path less the last four characters
// (a dot and a three-letter extension), followed by "_Img". A path of fewer
// than four characters has none (empty).
std::string image_folder_of(std::string_view input_path);

void write_alignments(BookWriter& out, const PackedTexts& blocks);
void write_levels(BookWriter& out, const PackedTexts& blocks);
void write_reference_points(BookWriter& out, const PackedTexts& points);
// Writes "#dirimg#" and the folder when it exists.
void write_image_folder(BookWriter& out, const std::string& folder);

}  // namespace qrb

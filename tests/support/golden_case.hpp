#pragma once
// One golden case: a folder with
//   input            the recorder file, exact bytes (a folder: the recording
//                    given is a folder)
//   options          one line of qrb-run options (--entry or --converter,
//                    --type, --note, --gen, --cli, --cancel-save, --answers);
//                    the runner adds --input and --output
//   expected.qrb     the survey book, exact bytes (empty: an empty book), or
//   expected.none    no book file at all
//   expected.boxes   the boxes shown, one "box|ICON|TITLE|TEXT|ANSWER" line
//                    each (UTF-8), in order
//   why              one line: what the case shows
//   beside           (optional) names of folders to make beside the input,
//                    one a line; the expected book then writes the temporary
//                    folder that holds the input as {tmp}
//   book.before      (optional) a book already at the output path
//   bench            (optional) how the benchmark grows the input
//                    (tools/bench_converters.cpp); not read here
// The conversion runs in this process through the driver's own road, with a
// fixed clock (2001-02-03 04:05).
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/work_state.hpp"

namespace qrb::test {

// The case folders under `root` (root/<converter>/<case>) whose recording is
// a file, in name order.
std::vector<std::filesystem::path> golden_cases(const std::filesystem::path& root);

// How a case is run: on a work state kept from earlier conversions (as the
// window runs one conversion after another) instead of a new one, and with
// the recording changed in a way that must not change the outcome.
struct GoldenRun {
    WorkState* state = nullptr;
    std::function<std::string(const std::string&)> recording;
};

// Runs the case; returns what differs, as a short readable diff, or nothing
// when the case holds.
std::string check_golden_case(const std::filesystem::path& dir, const GoldenRun& run = {});

}  // namespace qrb::test

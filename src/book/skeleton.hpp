#pragma once
// The skeleton both frames run. Internal to the book layer (and its tests):
// converters use Streaming or CollectThenWrite (book/frames.hpp).
#include <functional>
#include <string>

#include "book/converter.hpp"

namespace qrb {

// Writes the end of the book; returns false when nothing was found (the
// nothing-found end follows, as for a book without records).
using FinishPhase = std::function<bool(Conversion&)>;

// Thrown by Conversion::stop(): the conversion ends at once.
struct StopConversion {};

void run_converter(ImportContext& ctx, const std::string& input_path, const ConverterSpec& spec,
                   const ReadPhase& read, const FinishPhase& finish, const OpenPhase& on_input_open = {});

}  // namespace qrb

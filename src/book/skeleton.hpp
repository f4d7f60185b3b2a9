#pragma once
// The skeleton both frames run. Internal to the book layer (and its tests):
// converters use Streaming or CollectThenWrite.
#include <functional>
#include <string>

#include "book/converter.hpp"

namespace qrb {

// Writes the end of the book; returns false when no success box is to
// follow (nothing was written and the nothing-found box was shown, or a
// warning was).
using FinishPhase = std::function<bool(Conversion&)>;

void run_converter(ImportContext& ctx, const std::string& input_path, const ConverterSpec& spec,
                   const ReadPhase& read, const FinishPhase& finish, const OpenPhase& on_input_open = {});

}  // namespace qrb

#pragma once
// The skeleton both frames run. Internal to the book layer (and its tests):
// converters use Streaming or CollectThenWrite.
#include <functional>
#include <string>

#include "book/converter.hpp"

namespace qrb {

// Writes the end of the book; returns false when nothing was written (the
// nothing-found box was shown), so that no success box follows.
using FinishPhase = std::function<bool(Conversion&)>;

void run_converter(ImportContext& ctx, const std::string& input_path, const ConverterSpec& spec,
                   const ReadPhase& read, const FinishPhase& finish, const OpenPhase& on_input_open = {});

}  // namespace qrb

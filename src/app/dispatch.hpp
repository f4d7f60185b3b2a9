#pragma once
// From the selected list entry to its converter.
#include <functional>
#include <string>
#include <string_view>

#include "book/import_context.hpp"

namespace qrb {

struct DispatchHooks {
    // The format wizard's last step: the file becomes the sample to send.
    std::function<void(const std::string& input_path)> wizard_send_sample;
};

// Calls the converter of the entry `entry_text` with the input file. The
// special entries: "- Altri registratori -" asks for a choice from the list,
// the wizard entry hands the file to the wizard, the "(Istruzioni)" entries,
// unknown texts and entries whose converter is not built do nothing.
void dispatch_import(ImportContext& ctx, std::string_view entry_text, const std::string& input_path,
                     const DispatchHooks& hooks = {});

}  // namespace qrb

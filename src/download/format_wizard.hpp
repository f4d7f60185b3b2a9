#pragma once
// The three-step wizard for a recorder that the list does not name:
// configure the port, download a sample, send the sample by e-mail to the
// support address. And "&Edita formato", which shows the last download.
#include <functional>
#include <string>

#include "common/work_state.hpp"
#include "platform/shell.hpp"
#include "platform/text_editor.hpp"
#include "platform/ui.hpp"

namespace qrb {

struct WizardHooks {
    std::function<void()> show_settings_panel;  // "C&onfigura parametri"
    std::function<void()> start_download;       // "&Leggi da strumento"
};

// Step 1 (configure) or step 2 (download); any other step does nothing.
// `wizard_active` is set by step 1 and cleared by every Cancel.
void format_wizard_step(int step, WorkState& state, Ui& ui, bool& wizard_active, const WizardHooks& hooks);

// Step 3: the sample becomes datireg.dat in the results folder, with CR LF
// line ends, and the mail program is opened on the format request.
void wizard_send_sample(WorkState& state, Ui& ui, Shell& shell, const std::string& sample_path);

// The mailto: link of the format request, naming the file to attach.
std::string format_request_link(const std::string& attachment_path);

// "&Edita formato": datireg.dat of the results folder in the text editor.
void edit_download(const WorkState& state, Ui& ui, TextEditor& editor);

}  // namespace qrb

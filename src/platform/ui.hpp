#pragma once
// What the program asks of the user: message boxes, the Open and Save
// dialogs and the busy pointer. Texts are UTF-8.
#include <optional>
#include <string>

namespace qrb {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

// Answer codes of a message box.
enum Answer : int { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

struct FileDialogRequest {
    std::string title;
    std::string initial_folder;
    std::string file_name;  // preset name, such as "*.qrb"
    std::string filter;     // "label|pattern|label|pattern", or a bare label
    bool overwrite_prompt = false;  // Save: ask before replacing a file
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual int message_box(const std::string& text, const std::string& title, Icon icon,
                            Buttons buttons = Buttons::Ok) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> open_file(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> save_file(const FileDialogRequest& request) = 0;
    virtual void set_busy(bool busy) = 0;
};

// Shows the busy pointer for its lifetime and restores the arrow after it.
class BusyPointer {
public:
    explicit BusyPointer(Ui& ui) : ui_(ui) { ui_.set_busy(true); }
    ~BusyPointer() { ui_.set_busy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Ui& ui_;
};

}  // namespace qrb

#pragma once
// A Ui for tests and the conversion driver: records every box and answers
// from a script.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.hpp"

namespace qrb::test {

struct BoxRecord {
    Icon icon;
    Buttons buttons;
    std::string title;
    std::string text;
    int answer;
};

// "box|ICON|TITLE|TEXT|ANSWER", CR LF inside a text written as \n.
std::string box_line(const BoxRecord& box);
std::string icon_name(Icon icon);
std::string answer_name(int answer);
// "yes", "no", "ok", "cancel", "abort", "retry", "ignore" as answer codes; 0 when unknown.
int answer_code(const std::string& name);

class ScriptedUi : public Ui {
public:
    int message_box(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override;
    std::optional<std::string> open_file(const FileDialogRequest& request) override;
    std::optional<std::string> save_file(const FileDialogRequest& request) override;
    void set_busy(bool busy) override;

    std::vector<std::string> box_lines() const;

    std::vector<BoxRecord> boxes;
    std::deque<int> answers;                  // answers to questions, in order
    std::optional<std::string> open_result;   // nothing: cancel
    std::optional<std::string> save_result;   // nothing: cancel
    // Answers of the first Save dialogs, in order; save_result answers the rest.
    std::deque<std::optional<std::string>> save_results;
    std::vector<FileDialogRequest> open_requests;
    std::vector<FileDialogRequest> save_requests;
    bool busy = false;
    int busy_shown = 0;
};

}  // namespace qrb::test

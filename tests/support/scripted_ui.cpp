#include "support/scripted_ui.hpp"

namespace qrb::test {

std::string icon_name(Icon icon)
{
    switch (icon) {
    case Icon::Information: return "info";
    case Icon::Exclamation: return "excl";
    case Icon::Critical: return "crit";
    case Icon::Question: return "question";
    case Icon::None: break;
    }
    return "none";
}

std::string answer_name(int answer)
{
    switch (answer) {
    case kOk: return "ok";
    case kCancel: return "cancel";
    case kAbort: return "abort";
    case kRetry: return "retry";
    case kIgnore: return "ignore";
    case kYes: return "yes";
    case kNo: return "no";
    default: return "none";
    }
}

int answer_code(const std::string& name)
{
    for (int code = kOk; code <= kNo; ++code)
        if (answer_name(code) == name) return code;
    return 0;
}

std::string box_line(const BoxRecord& box)
{
    std::string text;
    for (std::size_t k = 0; k < box.text.size(); ++k) {
        if (box.text[k] == '\r' && k + 1 < box.text.size() && box.text[k + 1] == '\n') {
            text += "\\n";
            ++k;
        } else if (box.text[k] == '\n' || box.text[k] == '\r') {
            text += "\\n";
        } else {
            text += box.text[k];
        }
    }
    return "box|" + icon_name(box.icon) + "|" + box.title + "|" + text + "|" + answer_name(box.answer);
}

int ScriptedUi::message_box(const std::string& text, const std::string& title, Icon icon, Buttons buttons)
{
    int answer = kOk;
    switch (buttons) {
    case Buttons::Ok: answer = kOk; break;
    case Buttons::OkCancel: answer = kOk; break;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: answer = kYes; break;
    case Buttons::AbortRetryIgnore: answer = kAbort; break;
    case Buttons::RetryCancel: answer = kRetry; break;
    }
    if (buttons != Buttons::Ok && !answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    boxes.push_back({icon, buttons, title, text, answer});
    return answer;
}

std::optional<std::string> ScriptedUi::open_file(const FileDialogRequest& request)
{
    open_requests.push_back(request);
    return open_result;
}

std::optional<std::string> ScriptedUi::save_file(const FileDialogRequest& request)
{
    save_requests.push_back(request);
    if (!save_results.empty()) {
        std::optional<std::string> answer = save_results.front();
        save_results.pop_front();
        return answer;
    }
    return save_result;
}

void ScriptedUi::set_busy(bool on)
{
    busy = on;
    if (on) ++busy_shown;
}

std::vector<std::string> ScriptedUi::box_lines() const
{
    std::vector<std::string> lines;
    for (const auto& b : boxes) lines.push_back(box_line(b));
    return lines;
}

}  // namespace qrb::test

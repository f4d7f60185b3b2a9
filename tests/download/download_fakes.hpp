#pragma once
// Stand-ins for the window, the panels, the timers, the port and the
// platform services of the serial section, recording what they are asked.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/failure.hpp"
#include "download/serial_section.hpp"
#include "download/download_window.hpp"
#include "platform/serial_port.hpp"
#include "platform/text_editor.hpp"
#include "support/fakes.hpp"
#include "support/harness.hpp"
#include "support/scripted_ui.hpp"

namespace qrb::test {

// A scripted Ui that lets a test act while a box is open.
class ObservedUi : public ScriptedUi {
public:
    int message_box(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override
    {
        if (on_box) on_box(text);
        return ScriptedUi::message_box(text, title, icon, buttons);
    }
    std::function<void(const std::string&)> on_box;
};


class FakePort : public SerialPort {
public:
    void open(const PortSettings& settings) override
    {
        opened_with.push_back(settings);
        if (open_error)
            throw open_error_text.empty() ? RunError(*open_error) : RunError(*open_error, open_error_text);
        open_ = true;
    }
    bool is_open() const override { return open_; }
    void set_dtr(bool on) override { dtr = on; }
    void write(const std::string& bytes) override
    {
        if (!open_) throw RunError(kPortNotOpen);
        sent += bytes;
    }
    std::string read_all() override
    {
        std::string out;
        out.swap(waiting);
        if (read_error) throw RunError(*read_error);  // the chunk is lost
        return out;
    }
    // Bytes in `waiting`, or held by the device (`held`) and not yet announced.
    bool data_waiting() const override { return open_ && (!waiting.empty() || held); }
    void close() override
    {
        open_ = false;
        ++closes;
    }
    void on_data(std::function<void()> handler) override { data_handler = std::move(handler); }

    std::vector<PortSettings> opened_with;
    std::optional<int> open_error;
    std::string open_error_text;  // empty: the code's own description
    std::optional<int> read_error;
    std::optional<bool> dtr;
    std::string sent;
    std::string waiting;
    bool held = false;  // the device holds bytes not yet announced
    int closes = 0;
    std::function<void()> data_handler;

private:
    bool open_ = false;
};

inline std::string panel_name(Panel p)
{
    switch (p) {
    case Panel::Main: return "main";
    case Panel::Config: return "config";
    case Panel::Download: return "download";
    }
    return "?";
}

class FakeWindow : public DownloadWindow {
public:
    void show_panel(Panel p) override
    {
        panel = p;
        events.push_back("panel " + panel_name(p));
    }
    void set_status(const std::string& text) override { status = text; }
    std::string selected_entry() const override { return entry; }
    bool command_line_mode() const override { return cli; }
    void dispatch_import(const std::string& path) override
    {
        dispatched.push_back(path);
        events.push_back("dispatch");
        if (on_dispatch) on_dispatch(path);
    }
    void close_window() override
    {
        closed = true;
        events.push_back("close");
    }

    Panel panel = Panel::Main;
    std::string status;
    std::string entry = "Leica GSI Generico";
    bool cli = false;
    std::vector<std::string> dispatched;
    std::function<void(const std::string&)> on_dispatch;
    bool closed = false;
    std::vector<std::string> events;
};

class FakeConfig : public ConfigPanelView {
public:
    CommPanelValues values() const override { return panel; }
    CommPanelValues panel;
};

class FakeView : public DownloadView {
public:
    void set_echo(const std::string& text) override { echo = text; }
    void set_progress_text(const std::string& text) override { progress = text; }
    void set_progress_mark(int left) override { marks.push_back(left); }
    void clear_command_box() override { ++command_box_cleared; }

    std::string echo;
    std::string progress;
    std::vector<int> marks;
    int command_box_cleared = 0;
};

class FakeTimers : public DownloadTimers {
public:
    void set_timeout_timer(bool running) override
    {
        timeout = running;
        if (running) ++timeout_starts;
    }
    void set_silence_timer(bool running) override
    {
        silence = running;
        if (running) ++silence_starts;
    }
    bool timeout = false;
    bool silence = false;
    int timeout_starts = 0;  // each start begins the timer's beat anew
    int silence_starts = 0;
};

class FakeEditor : public TextEditor {
public:
    void edit(const std::string& path) override { edited.push_back(path); }
    std::vector<std::string> edited;
};

// The serial section with every one of its services faked; the results
// folder is the test's folder.
struct SectionFixture : ::testing::Test {
    SectionFixture() { state.results_folder = dir.path().string(); }

    TempDir dir;
    WorkState state;
    ObservedUi ui;
    MemorySettings store;
    RecordingShell shell;
    FakeEditor editor;
    FakePort port;
    FakeWindow window;
    FakeConfig config;
    FakeView view;
    FakeTimers timers;
    SerialSection section{{state, ui, store, shell, editor, port, window, config, view, timers, dir.path().string()}};
};

}  // namespace qrb::test

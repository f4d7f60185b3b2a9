#pragma once
// The serial download: the port is opened with the configured settings, the
// start sequence is sent, received chunks are kept and echoed, and the
// transfer ends on the end sequence, on a silence of a third of the time-out
// once data has begun, on the time-out, or on "Interrompi". Both are counted
// in whole seconds, the silence from the last chunk, the time-out from the
// start, the last chunk or the last command sent: the silence ends the
// transfer after the least whole number of seconds at or above a third of
// the time-out, the time-out after more seconds than it names. Then, when
// the user agrees, the data are saved as datireg.dat in the results folder
// and converted. The machine is driven by events: bytes arrived, a tick of
// one of the two one-second timers, the buttons of the download panel.
#include <string>
#include <string_view>

#include "common/failure.hpp"
#include "common/work_state.hpp"
#include "download/comm_settings.hpp"
#include "download/download_window.hpp"
#include "platform/serial_port.hpp"
#include "platform/ui.hpp"

namespace qrb {

// False for the entries that can only be imported from a file.
bool serial_download_allowed(std::string_view entry_text);

// What a download takes from the window when it starts.
struct DownloadSetup {
    std::string entry_text;  // the selected list entry
    CommPanelValues panel;   // lists and check boxes of the settings panel
    DownloadParams params;   // time-out and sequences as applied
};

// The echo box keeps this many characters before the newest chunk.
inline constexpr std::size_t kEchoKeep = 700;
// The progress mark's left edge: from 36 pixels, 6 further per chunk, back
// to 36 when it reaches 340.
inline constexpr int kMarkStart = 36;
inline constexpr int kMarkStep = 6;
inline constexpr int kMarkLimit = 340;

class SerialDownload {
public:
    struct Env {
        WorkState& state;
        Ui& ui;
        SerialPort& port;
        DownloadWindow& window;
        DownloadView& view;
        DownloadTimers& timers;
        bool& wizard_active;
    };

    explicit SerialDownload(Env env) : env_(env) {}

    // "&Leggi da strumento".
    void start(const DownloadSetup& setup);
    // The port has bytes waiting.
    void data_available();
    // A tick of the time-out timer and of the silence timer. Data waiting at
    // the port are read first: then the tick does not count.
    void timeout_tick();
    void silence_tick();
    // "&Interrompi".
    void interrupt();
    // "<- I&nvia comando": sends the trimmed command (UTF-8, sent in the
    // Windows code page), with a carriage return when `carriage_return`;
    // empties the echo and the buffer and restarts the time-out count.
    void send_command(const std::string& command, bool carriage_return);
    // The window closes: the port is closed and the timers stop.
    void shutdown();

    bool running() const { return phase_ != Phase::Idle; }
    bool receiving() const { return phase_ == Phase::Receiving; }
    int timeout_ticks() const { return timeout_ticks_; }
    int silence_ticks() const { return silence_ticks_; }
    const std::string& buffer() const { return buffer_; }
    const std::string& echo() const { return echo_; }
    int progress_mark() const { return mark_; }

private:
    enum class Phase { Idle, Starting, Receiving, Ending };
    enum class Outcome { GoOn, Stopped };

    int box(const std::string& text, const std::string& title, Icon icon, Buttons buttons = Buttons::Ok);
    template <typename Step>
    Outcome run_step(Step&& step);
    Outcome handle_failure(const RunError& error);
    // Reads what waits at the port; true when a chunk was received.
    bool receive_chunk();
    // Reads what waits at the port before a tick; true when the line was
    // not silent.
    bool take_waiting_data();
    void append_received_chunk(std::string chunk);
    // Empties the echo box and what was received.
    void clear_received();
    void check_end();
    void after_event();
    void finish();
    void stop_port_and_timers();
    void closing_steps();
    std::string datireg_path() const;
    void save_buffer();

    Env env_;
    Phase phase_ = Phase::Idle;
    DownloadSetup setup_;
    PortSettings port_settings_;
    std::string start_bytes_;
    std::string end_bytes_;
    std::string buffer_;  // every character received in this download
    std::string echo_;    // the echo box's text
    int timeout_ticks_ = 0;
    int silence_ticks_ = 0;
    bool timeout_timer_ = false;
    bool silence_timer_ = false;
    bool end_sequence_seen_ = false;
    bool interrupt_requested_ = false;
    int mark_ = kMarkStart;
    bool in_box_ = false;        // a box of the download is open
    bool data_pending_ = false;  // bytes arrived while it was open
};

}  // namespace qrb

#pragma once
// What the serial section asks of the window and of its panels. The window
// shows one of three panels at a time in the same place.
#include <string>

#include "download/comm_settings.hpp"

namespace qrb {

enum class Panel { Main, Config, Download };

// The texts of the status line above the panels.
inline constexpr const char* kStatusMain = "Importa le misure o configura i parametri di comunicazione";
inline constexpr const char* kStatusConfig = "Configura i parametri di comunicazione della porta seriale (COM)";
inline constexpr const char* kStatusDownload = "Lettura dati da registratore in corso ...";

class DownloadWindow {
public:
    virtual ~DownloadWindow() = default;
    // Shows that panel and hides the other two.
    virtual void show_panel(Panel panel) = 0;
    virtual void set_status(const std::string& text) = 0;
    // The text of the selected entry of the instrument list.
    virtual std::string selected_entry() const = 0;
    virtual bool command_line_mode() const = 0;
    // Hands a file to the converter of the selected entry.
    virtual void dispatch_import(const std::string& path) = 0;
    // Closes the window and ends the program.
    virtual void close_window() = 0;
};

// The communication-settings panel.
class ConfigPanelView {
public:
    virtual ~ConfigPanelView() = default;
    virtual CommPanelValues values() const = 0;
};

// The download panel.
class DownloadView {
public:
    virtual ~DownloadView() = default;
    // The echo box's whole text (Windows-1252 bytes), the caret at its end.
    virtual void set_echo(const std::string& text) = 0;
    // The progress text above the echo box.
    virtual void set_progress_text(const std::string& text) = 0;
    // The left edge of the progress mark, in pixels.
    virtual void set_progress_mark(int left) = 0;
    // Clears the choice and the text of the command box and its description.
    virtual void clear_command_box() = 0;
};

// The two one-second timers of a download. Starting a timer, also one that
// runs, begins its beat anew: its next tick comes a whole second later, never
// sooner.
class DownloadTimers {
public:
    virtual ~DownloadTimers() = default;
    // Time-out timer: runs from the start; started anew by data and commands.
    virtual void set_timeout_timer(bool running) = 0;
    // Silence timer: runs from the first chunk on; started anew by data.
    virtual void set_silence_timer(bool running) = 0;
};

}  // namespace qrb

#pragma once
// The communication-settings panel's values, how "Appli&ca i parametri
// configurati" writes them to the settings and puts them into use, and how
// they become the serial port's settings.
#include <string>
#include <string_view>

#include "app/settings_model.hpp"
#include "common/work_state.hpp"
#include "platform/serial_port.hpp"
#include "platform/settings_store.hpp"

namespace qrb {

inline constexpr int kDefaultTimeout = 15;

// What the panel's controls hold (texts in UTF-8, as typed).
struct CommPanelValues {
    // Selected positions of the lists.
    int porta = 1;
    int baud = 5;
    int parita = 2;
    int bit_dati = 4;
    int bit_stop = 0;
    // Check boxes: 0 clear, 1 ticked.
    int dtr = 1;   // "DTR/DSR"
    int rts = 1;   // "RTS/CTS"
    int xon = 0;   // "Xon/Xoff"
    int crlf = 0;  // "Forza CRLF": CR LF in front of every received chunk
    int agg_crlf = 0;  // "Aggiungi CRLF a sequenze ASCII": CR LF after both sequences
    std::string timeout_text = "15";
    std::string start_text;      // "Iniziale :"
    std::string end_text;        // "Finale :"
    std::string folder_text;     // "Cartella di scarico dati :"
    std::string extension_text = "dat";  // "Estensione dei file scaricati :"

    bool operator==(const CommPanelValues&) const = default;
};

// The values a download takes from the applied settings.
struct DownloadParams {
    int timeout_seconds = kDefaultTimeout;  // 1 to 1000
    std::string start_sequence;  // sent when the port opens; empty: nothing
    std::string end_sequence;    // its arrival ends the transfer; empty: rule off
};

struct TimeoutValue {
    int seconds;
    std::string text;  // what is stored
};

// The time-out typed in the panel: the trimmed text read as a number and
// rounded (halves to the even neighbour); outside 1 to 1000 it is 15,
// stored as "15"; otherwise the trimmed text is stored as typed.
TimeoutValue timeout_from_text(std::string_view text);

// "Appli&ca i parametri configurati": writes the fifteen keys in their order
// and takes the values into use (the download folder and extension, the
// time-out and the two sequences).
void apply_comm_settings(const CommPanelValues& panel, SettingsStore& store, WorkState& state,
                         DownloadParams& params);

// What the panel shows, and what a download uses, from the settings read at
// start-up.
CommPanelValues panel_values(const StartupSettings& settings);
DownloadParams download_params(const CommSettings& comm);

// The port's settings from the panel's lists and flow-control boxes; a
// position outside its list fails with an invalid property value (380).
PortSettings port_settings(const CommPanelValues& panel);

}  // namespace qrb

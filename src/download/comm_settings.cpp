#include "download/comm_settings.hpp"

#include "common/failure.hpp"
#include "common/number.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

// Upper case in the Windows code page; text that the code page cannot hold
// keeps its other characters and has only its ASCII letters raised.
std::string upper_case_utf8(const std::string& text)
{
    const std::string bytes = utf8_to_cp1252(text);
    if (cp1252_to_utf8(bytes) == text) return cp1252_to_utf8(ucase(bytes));
    std::string out = text;
    for (auto& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

template <std::size_t N>
std::string_view item_at(const std::array<std::string_view, N>& items, int position, const char* what)
{
    if (position < 0 || static_cast<std::size_t>(position) >= N)
        throw RunError(kInvalidPropertyValue, std::string("Impostazione della porta non valida: ") + what);
    return items[static_cast<std::size_t>(position)];
}

}  // namespace

TimeoutValue timeout_from_text(std::string_view text)
{
    const std::string trimmed = trim(text);
    double value = 0;
    try {
        value = round_half_even(val(trimmed));
    } catch (const RunError&) {
        value = 0;  // too large to read: out of range as well
    }
    if (!(value >= 1 && value <= 1000)) return {kDefaultTimeout, "15"};
    return {static_cast<int>(value), trimmed};
}

void apply_comm_settings(const CommPanelValues& panel, SettingsStore& store, WorkState& state,
                         DownloadParams& params)
{
    auto write = [&](const char* key, const std::string& value) {
        store.set(kAppQuarel3D, kSectionImport, key, value);
    };
    state.download_folder = trim(panel.folder_text);
    state.download_extension = trim(upper_case_utf8(panel.extension_text));
    write("cart_scarico", state.download_folder);
    write("estensione", state.download_extension);
    write("porta", stored_number_text(panel.porta));
    write("baud", stored_number_text(panel.baud));
    write("parita", stored_number_text(panel.parita));
    write("bit_dati", stored_number_text(panel.bit_dati));
    write("bit_stop", stored_number_text(panel.bit_stop));
    const TimeoutValue timeout = timeout_from_text(panel.timeout_text);
    params.timeout_seconds = timeout.seconds;
    write("timeout", timeout.text);
    write("dtr", stored_number_text(panel.dtr));
    write("rts", stored_number_text(panel.rts));
    write("xon", stored_number_text(panel.xon));
    write("crlf", stored_number_text(panel.crlf));
    write("agg_crlf", stored_number_text(panel.agg_crlf));
    params.start_sequence = trim(panel.start_text);
    write("start_stri", params.start_sequence);
    params.end_sequence = trim(panel.end_text);
    write("end_stri", params.end_sequence);
}

CommPanelValues panel_values(const StartupSettings& settings)
{
    const CommSettings& comm = settings.comm;
    CommPanelValues v;
    v.porta = comm.porta;
    v.baud = comm.baud;
    v.parita = comm.parita;
    v.bit_dati = comm.bit_dati;
    v.bit_stop = comm.bit_stop;
    v.dtr = comm.dtr ? 1 : 0;
    v.rts = comm.rts ? 1 : 0;
    v.xon = comm.xon ? 1 : 0;
    v.crlf = comm.crlf ? 1 : 0;
    v.agg_crlf = comm.agg_crlf ? 1 : 0;
    v.timeout_text = std::to_string(comm.timeout_seconds);
    v.start_text = comm.start_sequence;
    v.end_text = comm.end_sequence;
    v.folder_text = settings.download_folder;
    v.extension_text = settings.download_extension;
    return v;
}

DownloadParams download_params(const CommSettings& comm)
{
    return {comm.timeout_seconds, comm.start_sequence, comm.end_sequence};
}

PortSettings port_settings(const CommPanelValues& panel)
{
    PortSettings settings;
    settings.comm_port = panel.porta + 1;
    settings.baud = static_cast<long>(val(item_at(kBaudItems, panel.baud, "velocità")));
    settings.parity = item_at(kParityItems, panel.parita, "parità")[0];
    settings.data_bits = static_cast<int>(val(item_at(kDataBitsItems, panel.bit_dati, "bit dati")));
    settings.stop_bits = std::string(item_at(kStopBitsItems, panel.bit_stop, "bit di stop"));
    const bool rts = panel.rts == 1;
    const bool xon = panel.xon == 1;
    settings.handshaking = rts ? (xon ? Handshaking::RtsCtsXonXoff : Handshaking::RtsCts)
                               : (xon ? Handshaking::XonXoff : Handshaking::None);
    return settings;
}

}  // namespace qrb

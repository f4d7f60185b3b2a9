#include "download/serial_download.hpp"

#include <functional>

#include "app/handler_error.hpp"
#include "app/instrument_list.hpp"
#include "book/failure_policy.hpp"
#include "book/survey_book.hpp"
#include "common/routines.hpp"
#include "common/text.hpp"

namespace qrb {

namespace {

constexpr const char* kRefusal =
    "Il formato selezionato non consente lo scarico diretto dalla porta seriale. Utilizzare il comando 'Importa da "
    "file'";
constexpr const char* kWizardStep2Box =
    "Ora premi OK e poi inizia a trasmettere dallo strumento. Se sulla finestra a sfondo nero non compare nessuna "
    "scritta, oppure appaiono dei caratteri incomprensibili significa che sussiste qualche problema di "
    "comunicazione, probabilmente non hai configurato i parametri in maniera corretta, in questo caso premere il "
    "tasto 'Interrompi' e ripetere la procedura guidata modificando i parametri di comunicazione.";
constexpr const char* kNoDataTimeout =
    "E' stato superato il timeout senza ricevere alcun dato. Ricezione dati interrotta!";
// What the echo box keeps after an error that the user chose to pass over.
constexpr std::size_t kEchoAfterRetry = 70;

bool ends_with(std::string_view s, std::string_view ending)
{
    return s.size() >= ending.size() && s.substr(s.size() - ending.size()) == ending;
}

}  // namespace

bool serial_download_allowed(std::string_view entry_text)
{
    const InstrumentEntry* entry = find_instrument(entry_text);
    return !entry || entry->serial_download;
}

int SerialDownload::box(const std::string& text, const std::string& title, Icon icon, Buttons buttons)
{
    in_box_ = true;
    const int answer = env_.ui.message_box(text, title, icon, buttons);
    in_box_ = false;
    return answer;
}

template <typename Step>
SerialDownload::Outcome SerialDownload::run_step(Step&& step)
{
    try {
        step();
        return Outcome::GoOn;
    } catch (...) {
        return handle_failure(current_failure());
    }
}

void SerialDownload::start(const DownloadSetup& setup)
{
    if (phase_ != Phase::Idle) return;
    if (!serial_download_allowed(setup.entry_text)) {
        box(kRefusal, kAttention, Icon::Exclamation);
        return;
    }
    setup_ = setup;
    phase_ = Phase::Starting;
    start_bytes_ = utf8_to_cp1252(setup.params.start_sequence);
    const std::string line_end = setup.panel.agg_crlf == 1 ? "\r\n" : "";
    end_bytes_ = setup.params.end_sequence.empty() ? std::string() : utf8_to_cp1252(setup.params.end_sequence) + line_end;

    const auto steps = {
        std::function<void()>([&] { port_settings_ = port_settings(setup_.panel); }),
        std::function<void()>([&] {
            env_.window.show_panel(Panel::Download);
            env_.window.set_status(kStatusDownload);
        }),
        std::function<void()>([&] {
            if (env_.wizard_active) box(kWizardStep2Box, "Procedura guidata - Passo 2", Icon::Information);
        }),
        std::function<void()>([&] {
            timeout_ticks_ = 0;
            silence_ticks_ = 0;
            timeout_timer_ = true;
            env_.timers.set_timeout_timer(true);
        }),
        std::function<void()>([&] {
            clear_received();
            env_.view.clear_command_box();
            interrupt_requested_ = false;
            end_sequence_seen_ = false;
        }),
        std::function<void()>([&] {
            env_.view.set_progress_text("Inizia a trasferire i dati dal registratore...");
            mark_ = kMarkStart;
            env_.view.set_progress_mark(mark_);
        }),
        std::function<void()>([&] { env_.port.open(port_settings_); }),
        std::function<void()>([&] { env_.port.set_dtr(setup_.panel.dtr == 1); }),
        std::function<void()>([&] {
            if (!start_bytes_.empty()) env_.port.write(start_bytes_ + line_end);
        }),
    };
    for (const auto& step : steps)
        if (run_step(step) == Outcome::Stopped) return;
    phase_ = Phase::Receiving;
    after_event();
}

void SerialDownload::data_available()
{
    if (phase_ != Phase::Receiving) return;
    if (in_box_) {
        data_pending_ = true;
        return;
    }
    receive_chunk();
    after_event();
}

void SerialDownload::timeout_tick()
{
    if (!timeout_timer_) return;
    if (!take_waiting_data()) ++timeout_ticks_;
    after_event();
}

void SerialDownload::silence_tick()
{
    if (!silence_timer_) return;
    if (!take_waiting_data()) ++silence_ticks_;
    after_event();
}

bool SerialDownload::take_waiting_data()
{
    // A line with data waiting is not silent: what waits at the port is read
    // before a tick counts (the chunk starts both counts anew), and bytes the
    // device still holds keep the tick from counting until they are read.
    if (phase_ != Phase::Receiving || in_box_) return false;
    return receive_chunk() || env_.port.data_waiting();
}

void SerialDownload::interrupt()
{
    if (phase_ != Phase::Receiving) return;
    interrupt_requested_ = true;
    after_event();
}

void SerialDownload::send_command(const std::string& command, bool carriage_return)
{
    if (phase_ != Phase::Receiving || in_box_) return;
    std::string text = trim(command);
    if (carriage_return) text += '\r';
    const auto steps = {
        std::function<void()>([&] { clear_received(); }),
        std::function<void()>([&] { env_.port.write(utf8_to_cp1252(text)); }),
        std::function<void()>([&] {
            timeout_ticks_ = 0;
            env_.timers.set_timeout_timer(true);
        }),
    };
    for (const auto& step : steps)
        if (run_step(step) == Outcome::Stopped) return;
    after_event();
}

void SerialDownload::shutdown()
{
    if (phase_ == Phase::Idle) return;
    stop_port_and_timers();
    phase_ = Phase::Idle;
}

bool SerialDownload::receive_chunk()
{
    std::string chunk;
    bool read = false;
    if (run_step([&] {
            chunk = env_.port.read_all();
            read = true;
        }) == Outcome::Stopped)
        return false;
    if (read && chunk.empty()) return false;  // nothing was waiting
    if (read && run_step([&] { append_received_chunk(std::move(chunk)); }) == Outcome::Stopped) return false;
    mark_ += kMarkStep;
    if (mark_ >= kMarkLimit) mark_ = kMarkStart;
    env_.view.set_progress_mark(mark_);
    env_.view.set_progress_text("Lettura dati in corso ...");
    // Both counts start anew from this chunk, each timer's beat with them: the
    // silence and the time-out are whole seconds of real silence.
    silence_timer_ = true;
    env_.timers.set_silence_timer(true);
    env_.timers.set_timeout_timer(true);
    silence_ticks_ = 0;
    timeout_ticks_ = 0;
    return true;
}

void SerialDownload::append_received_chunk(std::string chunk)
{
    if (chunk.empty() || chunk[0] == '\0') {
        end_sequence_seen_ = true;
        return;
    }
    if (setup_.panel.crlf == 1) chunk.insert(0, "\r\n");
    if (echo_.size() > kEchoKeep) echo_.erase(0, echo_.size() - kEchoKeep);
    echo_ += chunk;
    buffer_ += chunk;
    env_.view.set_echo(echo_);
    if (!end_bytes_.empty() && buffer_.size() > end_bytes_.size() && ends_with(buffer_, end_bytes_))
        end_sequence_seen_ = true;
}

void SerialDownload::after_event()
{
    while (phase_ == Phase::Receiving && !in_box_) {
        // Data that arrived while a box was open are read before any end
        // rule is checked.
        if (data_pending_) {
            data_pending_ = false;
            receive_chunk();
            continue;
        }
        check_end();
        if (!data_pending_) return;
    }
}

void SerialDownload::check_end()
{
    if (timeout_ticks_ > setup_.params.timeout_seconds) {
        if (echo_.empty()) {
            box(kNoDataTimeout, kAttention, Icon::Exclamation);
            interrupt_requested_ = true;
        }
        finish();
        return;
    }
    if (interrupt_requested_) {
        if (!echo_.empty()) {
            const int answer = box("Importare i dati già scaricati ?", "Interruzione", Icon::Question, Buttons::YesNo);
            env_.state.msgbox_answer = answer;
            if (answer == kYes) interrupt_requested_ = false;
        }
        finish();
        return;
    }
    if (end_sequence_seen_ || silence_ticks_ >= setup_.params.timeout_seconds / 3.0) finish();
}

void SerialDownload::clear_received()
{
    echo_.clear();
    env_.view.set_echo(echo_);
    buffer_.clear();
}

void SerialDownload::finish()
{
    phase_ = Phase::Ending;
    stop_port_and_timers();
    if (interrupt_requested_) {
        interrupt_requested_ = false;
        buffer_.clear();
        env_.window.show_panel(Panel::Main);
        env_.window.set_status(kStatusMain);
        phase_ = Phase::Idle;
        return;
    }
    env_.view.set_progress_text("Trasferimento completato.");
    const int answer = box("Procedere con la conversione del file ?", "Fine ricezione", Icon::Question, Buttons::YesNo);
    env_.state.msgbox_answer = answer;
    if (answer == kYes) {
        // A download that could not be saved is not converted: the converter
        // would otherwise read the previous download.
        if (run_step([&] {
                save_buffer();
                env_.window.dispatch_import(datireg_path());
            }) == Outcome::Stopped)
            return;
    }
    closing_steps();
}

void SerialDownload::stop_port_and_timers()
{
    if (env_.port.is_open()) {
        try {
            env_.port.close();
        } catch (const RunError&) {
            // closing cannot be refused; nothing to report
        }
    }
    timeout_timer_ = false;
    silence_timer_ = false;
    env_.timers.set_timeout_timer(false);
    env_.timers.set_silence_timer(false);
    timeout_ticks_ = 0;
    silence_ticks_ = 0;
    env_.wizard_active = false;
}

void SerialDownload::closing_steps()
{
    env_.window.show_panel(Panel::Main);
    env_.window.set_status(kStatusMain);
    buffer_.clear();
    phase_ = Phase::Idle;
    data_pending_ = false;
    if (env_.window.command_line_mode()) env_.window.close_window();
}

std::string SerialDownload::datireg_path() const { return path_in(env_.state.results_folder, "datireg.dat"); }

void SerialDownload::save_buffer()
{
    BookWriter out(datireg_path());
    out.line(buffer_);
    out.close();
}

SerialDownload::Outcome SerialDownload::handle_failure(const RunError& error)
{
    switch (error.code()) {
    case kDeviceUnavailable:
    case kPortInvalid:
    case kPortAlreadyOpen:
    case kPermissionDenied:
        box(error.code() == kPortAlreadyOpen    ? std::string("Porta COM già occupata da altro dispositivo")
            : error.code() == kPermissionDenied ? error.description()
                                                : std::string("Porta COM non disponibile"),
            kAttention, Icon::Exclamation);
        stop_port_and_timers();
        closing_steps();
        return Outcome::Stopped;
    case kOutOfMemory:
        if (echo_.size() > kEchoKeep) {
            echo_.erase(0, echo_.size() - kEchoKeep);
            env_.view.set_echo(echo_);
            return Outcome::GoOn;
        }
        break;
    default:
        break;
    }
    const int answer = box(handler_error_text(error.code(), error.description()), "Errore su btn_impreg",
                           Icon::Critical, Buttons::AbortRetryIgnore);
    env_.state.msgbox_answer = answer;
    if (answer != kAbort) {
        if (echo_.size() > kEchoAfterRetry) echo_.erase(0, echo_.size() - kEchoAfterRetry);
        env_.view.set_echo(echo_);
        return Outcome::GoOn;
    }
    stop_port_and_timers();
    // Nothing received: the previous download stays as it was.
    if (!buffer_.empty()) {
        try {
            save_buffer();
            box("I dati già scaricati sono stati salvati nel file " + datireg_path(), "Informazione",
                Icon::Information);
        } catch (const RunError& e) {
            box(handler_error_text(e.code(), e.description()), "Errore su btn_impreg", Icon::Exclamation);
        }
    }
    closing_steps();
    return Outcome::Stopped;
}

}  // namespace qrb

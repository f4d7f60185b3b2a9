#include "ui/serial_controller.hpp"

#include <QVBoxLayout>
#include <QWidget>

#include "ui/config_panel.hpp"
#include "ui/download_panel.hpp"

namespace qrb {

namespace {

// Puts the panel into its container, filling it.
template <typename Panel>
Panel* build_in(QWidget* host)
{
    auto* layout = host->layout();
    if (!layout) layout = new QVBoxLayout(host);
    auto* panel = new Panel(host);
    layout->addWidget(panel);
    return panel;
}

}  // namespace

SerialController::SerialController(Services services, QWidget* config_host, QWidget* download_host, QObject* parent)
    : QObject(parent)
{
    config_panel_ = build_in<ConfigPanel>(config_host);
    download_panel_ = build_in<DownloadPanel>(download_host);
    section_ = std::make_unique<SerialSection>(SerialSection::Env{
        services.state, services.ui, services.settings, services.shell, editor_, port_, services.window,
        *config_panel_, *download_panel_, *this, std::move(services.program_folder)});

    // Precise: a coarse timer may tick up to 5% early, and a silence must
    // last its whole seconds.
    timer1_.setInterval(1000);
    timer2_.setInterval(1000);
    timer1_.setTimerType(Qt::PreciseTimer);
    timer2_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { section_->download().timeout_tick(); });
    connect(&timer2_, &QTimer::timeout, this, [this] { section_->download().silence_tick(); });
    port_.on_data([this] { section_->download().data_available(); });

    connect(config_panel_, &ConfigPanel::apply_requested, this, &SerialController::Command4_Click);
    connect(download_panel_, &DownloadPanel::interrupt_requested, this, &SerialController::btn_interr_Click);
    connect(download_panel_, &DownloadPanel::command_requested, this,
            [this](const std::string& command, bool carriage_return) {
                section_->download().send_command(command, carriage_return);
            });
}

SerialController::~SerialController()
{
    port_.on_data({});
    section_->download().shutdown();
}

// Starting a running QTimer restarts it: its beat begins anew.
void SerialController::set_timeout_timer(bool running)
{
    if (running)
        timer1_.start();
    else
        timer1_.stop();
}

void SerialController::set_silence_timer(bool running)
{
    if (running)
        timer2_.start();
    else
        timer2_.stop();
}

void SerialController::load_commands(const std::string& file_name)
{
    section_->load_commands(file_name);
    download_panel_->set_commands(section_->commands());
}

void SerialController::btn_config_Click() { section_->show_settings_panel(); }

void SerialController::Command4_Click() { section_->apply_settings(); }

void SerialController::btn_impreg_Click() { section_->start_download(); }

void SerialController::btn_edit_Click() { section_->edit_download(); }

void SerialController::btn_interr_Click() { section_->download().interrupt(); }

void SerialController::wizard_first_step() { section_->format_wizard_step(1); }

void SerialController::wizard_send_sample(const std::string& sample_path)
{
    section_->wizard_send_sample(sample_path);
}

void SerialController::close_port() { section_->download().shutdown(); }

}  // namespace qrb

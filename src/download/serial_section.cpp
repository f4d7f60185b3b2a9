#include "download/serial_section.hpp"

#include "download/format_wizard.hpp"

namespace qrb {

SerialSection::SerialSection(Env env)
    : env_(std::move(env)),
      download_({env_.state, env_.ui, env_.port, env_.window, env_.view, env_.timers, wizard_active_})
{
}

void SerialSection::load_commands(const std::string& file_name)
{
    leggi_comandi(env_.ui, env_.program_folder, file_name, commands_);
}

void SerialSection::show_settings_panel()
{
    env_.window.show_panel(Panel::Config);
    env_.window.set_status(kStatusConfig);
}

void SerialSection::apply_settings()
{
    apply_comm_settings(env_.config.values(), env_.settings, env_.state, params_);
    env_.window.show_panel(Panel::Main);
    env_.window.set_status(kStatusMain);
    if (wizard_active_) format_wizard_step(2);
}

void SerialSection::format_wizard_step(int step)
{
    qrb::format_wizard_step(step, env_.state, env_.ui, wizard_active_,
                            {[this] { show_settings_panel(); }, [this] { start_download(); }});
}

void SerialSection::start_download()
{
    download_.start({env_.window.selected_entry(), env_.config.values(), params_});
}

void SerialSection::edit_download() { qrb::edit_download(env_.state, env_.ui, env_.editor); }

void SerialSection::wizard_send_sample(const std::string& sample_path)
{
    qrb::wizard_send_sample(env_.state, env_.ui, env_.shell, sample_path);
}

}  // namespace qrb

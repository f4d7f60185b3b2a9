// Quarel - Import: the main window. Arguments, when given, are the path of
// the survey book to write (command-line mode).
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include "app/settings_model.hpp"
#include "platform/qt/qt_settings_store.hpp"
#include "platform/qt/qt_shell.hpp"
#include "platform/qt/qt_ui.hpp"
#include "platform/qt/system_folders.hpp"
#include "platform/qt/translations.hpp"
#include "ui/main_window.hpp"
#include "ui/window_serial.hpp"

namespace {

// A termination request (logout, kill) closes the window the ordinary way,
// so that the settings are saved and the port is closed.
int g_signal_pipe[2] = {-1, -1};

void on_signal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signal_pipe[0], &c, 1);
}

void close_on_termination(QWidget& window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signal_pipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_signal_pipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char c = 0;
        [[maybe_unused]] const auto n = ::read(g_signal_pipe[1], &c, 1);
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    // Taken before QApplication removes the options it knows.
    const std::string command_line = qrb::join_arguments(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarel - Import"));
    qrb::install_italian_translations(app);

    qrb::QtUi ui;
    qrb::QtShell shell;
    qrb::QtSettingsStore settings;
    qrb::StartupEnvironment env{qrb::program_folder(), qrb::common_appdata_folder(), command_line};

    qrb::MainWindow window(ui, shell, settings, env);
    ui.set_parent(&window);
    new qrb::WindowSerial(window, ui, shell, settings, qrb::program_folder());  // owned by the window
    close_on_termination(window);
    window.show();
    window.form_load();
    return QApplication::exec();
}

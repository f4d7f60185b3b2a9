#include "platform/qt/qt_serial_port.hpp"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "common/failure.hpp"

namespace qrb {

namespace {

[[noreturn]] void refuse_setting(const PortSettings& settings, const std::string& what)
{
    throw RunError(kInvalidPropertyValue, "Impostazione della porta non applicabile su questo sistema (" +
                                              settings.text() + "): " + what);
}

QSerialPort::Parity parity_of(const PortSettings& settings)
{
    switch (settings.parity) {
    case 'E': return QSerialPort::EvenParity;
    case 'M': return QSerialPort::MarkParity;
    case 'N': return QSerialPort::NoParity;
    case 'O': return QSerialPort::OddParity;
    case 'S': return QSerialPort::SpaceParity;
    default: refuse_setting(settings, "parità sconosciuta");
    }
}

QSerialPort::DataBits data_bits_of(const PortSettings& settings)
{
    switch (settings.data_bits) {
    case 5: return QSerialPort::Data5;
    case 6: return QSerialPort::Data6;
    case 7: return QSerialPort::Data7;
    case 8: return QSerialPort::Data8;
    default: refuse_setting(settings, std::to_string(settings.data_bits) + " bit dati non supportati");
    }
}

QSerialPort::StopBits stop_bits_of(const PortSettings& settings)
{
    if (settings.stop_bits == "1") return QSerialPort::OneStop;
    if (settings.stop_bits == "2") return QSerialPort::TwoStop;
    refuse_setting(settings, settings.stop_bits + " bit di stop non supportati");
}

// XON/XOFF together with RTS/CTS, which QSerialPort cannot ask for at once.
bool add_software_flow_control(int descriptor)
{
    termios tio{};
    if (::tcgetattr(descriptor, &tio) != 0) return false;
    tio.c_iflag |= IXON | IXOFF;
    return ::tcsetattr(descriptor, TCSANOW, &tio) == 0;
}

}  // namespace

std::string serial_device(int comm_port)
{
    const std::string variable = "QUAREL_COM" + std::to_string(comm_port);
    if (const char* device = std::getenv(variable.c_str()); device && *device) return device;
    return "/dev/ttyS" + std::to_string(comm_port - 1);
}

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (handler_) handler_();
    });
    // A device that goes away (a USB adapter pulled out) is closed; the
    // download then ends by its time rules.
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError && port_.isOpen()) port_.close();
    });
}

void QtSerialPort::apply_settings(const PortSettings& settings)
{
    const auto parity = parity_of(settings);
    const auto data_bits = data_bits_of(settings);
    const auto stop_bits = stop_bits_of(settings);
    if (settings.baud <= 0 || !port_.setBaudRate(static_cast<qint32>(settings.baud)))
        refuse_setting(settings, "velocità non accettata");
    port_.setParity(parity);
    port_.setDataBits(data_bits);
    port_.setStopBits(stop_bits);
    switch (settings.handshaking) {
    case Handshaking::None: port_.setFlowControl(QSerialPort::NoFlowControl); break;
    case Handshaking::XonXoff: port_.setFlowControl(QSerialPort::SoftwareControl); break;
    case Handshaking::RtsCts:
    case Handshaking::RtsCtsXonXoff: port_.setFlowControl(QSerialPort::HardwareControl); break;
    }
}

void QtSerialPort::open(const PortSettings& settings)
{
    if (settings.comm_port < 1 || settings.comm_port > 9) throw RunError(kPortInvalid);
    if (port_.isOpen()) throw RunError(kPortAlreadyOpen);
    apply_settings(settings);
    const std::string device = serial_device(settings.comm_port);
    std::error_code ec;
    if (!std::filesystem::exists(device, ec)) throw RunError(kDeviceUnavailable);
    port_.setPortName(QString::fromStdString(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port_.error();
        const std::string reason = port_.errorString().toStdString();
        port_.clearError();
        switch (error) {
        case QSerialPort::DeviceNotFoundError: throw RunError(kDeviceUnavailable);
        case QSerialPort::PermissionError:
            // The same error for a port in use and one the user may not open.
            if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES)
                throw RunError(kPermissionDenied, "Porta COM non accessibile (permesso negato): " + device);
            throw RunError(kPortAlreadyOpen);
        case QSerialPort::OpenError: throw RunError(kPortAlreadyOpen);
        case QSerialPort::UnsupportedOperationError: refuse_setting(settings, "rifiutata dal dispositivo (" + reason + ")");
        default: throw RunError(kPortSetupFailed, "Impossibile aprire " + device + ": " + reason);
        }
    }
    if (settings.handshaking == Handshaking::RtsCtsXonXoff && !add_software_flow_control(static_cast<int>(port_.handle()))) {
        port_.close();
        refuse_setting(settings, "controllo di flusso RTS/CTS e Xon/Xoff non accettato dal dispositivo");
    }
}

void QtSerialPort::set_dtr(bool on)
{
    if (port_.isOpen()) port_.setDataTerminalReady(on);
}

void QtSerialPort::write(const std::string& bytes)
{
    if (!port_.isOpen()) throw RunError(kPortNotOpen);
    if (bytes.empty()) return;
    if (port_.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0) throw RunError(kDeviceUnavailable);
    port_.flush();
}

std::string QtSerialPort::read_all()
{
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

bool QtSerialPort::data_waiting() const
{
    if (!port_.isOpen()) return false;
    if (port_.bytesAvailable() > 0) return true;
    // Bytes the driver holds that Qt has not fetched yet: their notice may
    // still wait in the event queue behind a timer's.
    int held = 0;
    return ::ioctl(static_cast<int>(port_.handle()), FIONREAD, &held) == 0 && held > 0;
}

void QtSerialPort::close()
{
    if (port_.isOpen()) port_.close();
}

}  // namespace qrb

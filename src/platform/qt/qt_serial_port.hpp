#pragma once
// The serial port through QSerialPort. COM1 to COM9 are the devices
// /dev/ttyS0 to /dev/ttyS8, unless QUAREL_COM1 ... QUAREL_COM9 names another
// device (a USB adapter, a pseudo-terminal). Received bytes are announced
// through the event loop (readyRead); nothing polls.
#include <functional>
#include <string>

#include <QObject>
#include <QSerialPort>

#include "platform/serial_port.hpp"

namespace qrb {

// The device that stands for COMn on this system.
std::string serial_device(int comm_port);

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT

public:
    explicit QtSerialPort(QObject* parent = nullptr);

    void open(const PortSettings& settings) override;
    bool is_open() const override { return port_.isOpen(); }
    void set_dtr(bool on) override;
    void write(const std::string& bytes) override;
    std::string read_all() override;
    bool data_waiting() const override;
    void close() override;
    void on_data(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    void apply_settings(const PortSettings& settings);

    QSerialPort port_;
    std::function<void()> handler_;
};

}  // namespace qrb

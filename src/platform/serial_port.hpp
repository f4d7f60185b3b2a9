#pragma once
// A serial port as the download uses it: open with settings, DTR, send,
// take what has arrived, close. Failures throw RunError with the codes the
// download's error routine knows: 68 or 8002 (no such port), 8005 (port in
// use), 70 (the user may not open the device; the description is the whole
// message, naming the device), anything else (settings the device refuses
// and the like).
#include <functional>
#include <string>

namespace qrb {

enum class Handshaking { None = 0, XonXoff = 1, RtsCts = 2, RtsCtsXonXoff = 3 };

struct PortSettings {
    int comm_port = 1;           // COM1 = 1
    long baud = 9600;
    char parity = 'N';           // E, M, N, O, S
    int data_bits = 8;           // 4 to 8
    std::string stop_bits = "1";  // "1", "1.5", "2"
    Handshaking handshaking = Handshaking::None;

    // "9600,N,8,1": baud rate, parity, data bits and stop bits.
    std::string text() const
    {
        return std::to_string(baud) + "," + std::string(1, parity) + "," + std::to_string(data_bits) + "," + stop_bits;
    }
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    virtual void open(const PortSettings& settings) = 0;
    virtual bool is_open() const = 0;
    virtual void set_dtr(bool on) = 0;
    // Sends the bytes as they are.
    virtual void write(const std::string& bytes) = 0;
    // Everything received and not yet taken; empty when nothing waits.
    virtual std::string read_all() = 0;
    // True while bytes wait to be taken: received, or still held by the
    // device and announced through on_data soon.
    virtual bool data_waiting() const = 0;
    virtual void close() = 0;
    // Called (from the event loop) whenever new bytes have arrived.
    virtual void on_data(std::function<void()> handler) = 0;
};

}  // namespace qrb

#pragma once
// One failure type for the whole program: the run-time error code that the
// converters' error handling acts on, with its Italian description.
#include <stdexcept>
#include <string>

namespace qrb {

enum ErrorCode : int {
    kInvalidArgument = 5,    // impossible position or length in a text operation
    kOverflow = 6,           // a value too large for its type
    kOutOfMemory = 7,
    kSubscript = 9,          // index out of range
    kDivisionByZero = 11,
    kTypeMismatch = 13,
    kInternalError = 51,     // a failure that is none of the run time's own
    kFileNotFound = 53,
    kDeviceIO = 57,          // a read or write the device could not carry out
    kBadRecordLength = 59,
    kDeviceUnavailable = 68,
    kDiskFull = 61,
    kPathFileAccess = 75,
    kPathNotFound = 76,
    kPermissionDenied = 70,
    kPastEndOfInput = 62,    // reading past the end of the input
    kDialogCancelled = 32755,
    kPortInvalid = 8002,
    kPortAlreadyOpen = 8005,
    kInvalidPropertyValue = 380,  // a setting the device cannot take
    kPortNotOpen = 8018,          // an operation that needs the port open
    kPortSetupFailed = 8015,      // the port could not be set up
};

// The Italian description of a run-time error code.
std::string error_description(int code);

class RunError : public std::runtime_error {
public:
    explicit RunError(int code);
    RunError(int code, std::string description);
    int code() const noexcept { return code_; }
    const std::string& description() const noexcept { return description_; }

private:
    int code_;
    std::string description_;
};

[[noreturn]] void fail(int code);

}  // namespace qrb

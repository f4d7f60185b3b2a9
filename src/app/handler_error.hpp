#pragma once
// The report of an unexpected failure in one of the window's handlers: a box
// titled "Errore su " and the procedure's name.
#include <string>
#include <string_view>

#include "common/failure.hpp"
#include "platform/ui.hpp"

namespace qrb {

// "Errore codice " and the code with its leading blank, " : " and the description.
std::string handler_error_text(int code, const std::string& description);

// The exception being handled (call inside a catch block) as a RunError: a
// memory shortage as code 7, anything else as an internal error (51) with its
// own description.
RunError current_failure();

// Reports the exception being handled (call inside a catch block): a RunError
// with its code, a memory shortage as code 7, anything else as an internal
// error (51) with its own description.
void report_handler_error(Ui& ui, std::string_view procedure);

}  // namespace qrb

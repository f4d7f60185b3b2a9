#include "app/handler_error.hpp"

#include <exception>
#include <new>

#include "common/failure.hpp"
#include "common/number.hpp"

namespace qrb {

std::string handler_error_text(int code, const std::string& description)
{
    return "Errore codice " + str_double(code) + " : " + description;
}

RunError current_failure()
{
    try {
        throw;
    } catch (const RunError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RunError(kOutOfMemory);
    } catch (const std::exception& e) {
        return RunError(kInternalError, e.what());
    } catch (...) {
        return RunError(kInternalError);
    }
}

void report_handler_error(Ui& ui, std::string_view procedure)
{
    const RunError failure = current_failure();
    ui.message_box(handler_error_text(failure.code(), failure.description()), "Errore su " + std::string(procedure),
                   Icon::Exclamation);
}

}  // namespace qrb

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

void report_handler_error(Ui& ui, std::string_view procedure)
{
    int code = kInternalError;
    std::string description = error_description(kInternalError);
    try {
        throw;
    } catch (const RunError& e) {
        code = e.code();
        description = e.description();
    } catch (const std::bad_alloc&) {
        code = kOutOfMemory;
        description = error_description(kOutOfMemory);
    } catch (const std::exception& e) {
        description = e.what();
    } catch (...) {
    }
    ui.message_box(handler_error_text(code, description), "Errore su " + std::string(procedure), Icon::Exclamation);
}

}  // namespace qrb

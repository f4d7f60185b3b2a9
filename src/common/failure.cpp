#include "common/failure.hpp"

namespace qrb {

std::string error_description(int code)
{
    switch (code) {
    case kInvalidArgument: return "Chiamata di routine o argomento non valido";
    case kOverflow: return "Overflow";
    case kOutOfMemory: return "Memoria esaurita";
    case kSubscript: return "Indice non compreso nell'intervallo";
    case kDivisionByZero: return "Divisione per zero";
    case kTypeMismatch: return "Tipo non corrispondente";
    case kInternalError: return "Errore interno";
    case kFileNotFound: return "Impossibile trovare il file";
    case kDeviceIO: return "Errore di I/O della periferica";
    case kPermissionDenied: return "Autorizzazione negata";
    case kBadRecordLength: return "Lunghezza record errata";
    case kPastEndOfInput: return "Input oltre la fine del file";
    case kDeviceUnavailable: return "Periferica non disponibile";
    case kDiskFull: return "Disco pieno";
    case kPathFileAccess: return "Errore di accesso al percorso/file";
    case kPathNotFound: return "Impossibile trovare il percorso";
    case kDialogCancelled: return "Operazione annullata";
    case kPortInvalid: return "Numero di porta non valido";
    case kPortAlreadyOpen: return "Porta già aperta";
    case kInvalidPropertyValue: return "Valore della proprietà non valido";
    case kPortSetupFailed: return "Impossibile impostare lo stato della comunicazione";
    case kPortNotOpen: return "Operazione valida solo quando la porta è aperta";
    default: return "Errore definito dall'applicazione o dall'oggetto";
    }
}

RunError::RunError(int code) : RunError(code, error_description(code)) {}

RunError::RunError(int code, std::string description)
    : std::runtime_error(description), code_(code), description_(std::move(description))
{
}

void fail(int code) { throw RunError(code); }

}  // namespace qrb

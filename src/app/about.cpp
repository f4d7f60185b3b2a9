#include "app/about.hpp"

#ifndef QRB_VERSION
#define QRB_VERSION "0.0.0"
#endif

namespace qrb {

std::string program_version() { return QRB_VERSION; }

std::string about_text()
{
    return std::string(kProgramName) + "\nVersione " + program_version() +
           "\n\nImporta le misure registrate dagli strumenti topografici e le salva come libretti QRB di Quarel.";
}

}  // namespace qrb

#pragma once
// The folders the program finds on this system.
#include <string>

namespace qrb {

// The folder of the running program.
std::string program_folder();

// The system's shared data folder (not the user's own), or the program
// folder when the system names none.
std::string common_appdata_folder();

}  // namespace qrb

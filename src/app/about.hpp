#pragma once
// The about box of "I&nfo".
#include <string>

namespace qrb {

inline constexpr const char* kProgramName = "Quarel - Import";
inline constexpr const char* kAboutTitle = "Informazioni su Quarel - Import";

// The program's version, as the build names it.
std::string program_version();
// The text of the about box: name, version and what the program does.
std::string about_text();

}  // namespace qrb

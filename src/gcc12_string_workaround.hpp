#pragma once
// Included first in every file when the compiler is GCC 12 (see the top
// CMakeLists.txt). GCC 12 at -O2/-O3 reports -Wrestrict inside libstdc++'s
// own std::string code (char_traits::copy inlined into _M_replace, reached
// from operator+, insert and assign): GCC bugs 105329 and 105651, mended in
// GCC 13. The warning stays on for this project's own code; only the
// string headers are read with it off.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#include <string>
#pragma GCC diagnostic pop

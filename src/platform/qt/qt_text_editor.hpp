#pragma once
// The desktop's text editor: the application the desktop opens plain text
// with, started on the file without waiting for it; a program for a terminal
// (Terminal=true) in the desktop's terminal emulator.
#include <string>
#include <vector>

#include "platform/text_editor.hpp"

namespace qrb {

// The command line of a desktop entry's Exec value for one file: the field
// codes %f, %F, %u and %U become the file, the other codes are dropped, and
// the file is appended when the value names none.
std::vector<std::string> desktop_exec_command(const std::string& exec, const std::string& path);

class QtTextEditor : public TextEditor {
public:
    void edit(const std::string& path) override;
};

}  // namespace qrb

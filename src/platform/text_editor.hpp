#pragma once
// Opening a text file in the desktop's text editor, without waiting for it.
#include <string>

namespace qrb {

class TextEditor {
public:
    virtual ~TextEditor() = default;
    virtual void edit(const std::string& path) = 0;
};

}  // namespace qrb

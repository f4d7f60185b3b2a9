#pragma once
// Opening folders, documents and links with the desktop's default handler.
#include "platform/shell.hpp"

namespace qrb {

class QtShell : public Shell {
public:
    // A link ("mailto:...", "https://...") is opened as a link, anything
    // else as a local file or folder.
    bool open(const std::string& target) override;
};

}  // namespace qrb

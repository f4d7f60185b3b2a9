#pragma once
// Opening a document, folder or link with the desktop's default handler.
#include <string>

namespace qrb {

class Shell {
public:
    virtual ~Shell() = default;
    // Returns false when the target could not be opened.
    virtual bool open(const std::string& target) = 0;
};

}  // namespace qrb

#pragma once
// Qt's own texts (file dialogs, standard buttons, the overwrite question) in
// Italian, like the rest of the window.
#include <QCoreApplication>

namespace qrb {

// Loads Qt's Italian translations from Qt's translations folder and installs
// them in `app`; false (and Qt's English texts) when they are not installed.
bool install_italian_translations(QCoreApplication& app);

}  // namespace qrb

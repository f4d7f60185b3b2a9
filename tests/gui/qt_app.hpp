#pragma once
// The QApplication the widget and port tests need, made once when the test
// program has not made one already.
#include <cstdlib>

#include <QApplication>

namespace qrb::test {

inline void ensure_qt_application()
{
    if (QCoreApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "qrb_gui_tests";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the program and never destroyed: tearing it down
    // among the other statics at exit is not safe.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// A first member of a fixture that has widgets among its members.
struct QtApplicationGuard {
    QtApplicationGuard() { ensure_qt_application(); }
};

}  // namespace qrb::test

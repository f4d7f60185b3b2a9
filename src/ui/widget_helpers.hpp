#pragma once
// Small helpers the window and its panels share.
#include <string_view>

#include <QString>

namespace qrb {

// UTF-8 text as Qt holds it.
inline QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The widget under the name the controls are known by.
template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace qrb

#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>

// A control inside a window by its objectName; throws when there is none of that type, so that
// a renamed control fails the test by name rather than by a crash.
template <typename Widget = QWidget> Widget* NamedControl(const QObject& window, const QString& name)
{
    auto* widget = window.findChild<Widget*>(name);
    if (widget == nullptr) {
        throw std::logic_error("no control " + name.toStdString());
    }
    return widget;
}

#pragma once

#include "common/core/CoreErrors.h"

#include <QObject>

#include <string>

// A part of a window (a control, an action, a window it opened) found by its object name:
// how the tests, the benchmark and the screenshot tool reach what the window keeps to
// itself. A part that is not there is a mistake of the caller's, not a state to handle.
template <class T>
T* Child(const QObject& owner, const char* name)
{
    if (T* child = owner.findChild<T*>(QString::fromUtf8(name)))
        return child;
    throw EAssertionFailed(owner.objectName().toStdString() + " has no " + T::staticMetaObject.className() + " named " +
                           name + " (app/NamedChild.h)");
}

#pragma once
// Finding a window's menu items, buttons and controls by their object names, as the program
// names them (RPM1, Cancelb, ...). A missing one fails the test instead of crashing it.
#include <gtest/gtest.h>

#include <QAction>
#include <QObject>

#include <stdexcept>
#include <string>

namespace tolvane::test {

template <typename T = QAction> T& item(const QObject& owner, const char* name)
{
    T* found = owner.findChild<T*>(QLatin1String(name));
    if (found == nullptr) {
        ADD_FAILURE() << owner.metaObject()->className() << " has no " << name;
        throw std::runtime_error(std::string("missing ") + name);
    }
    return *found;
}

} // namespace tolvane::test

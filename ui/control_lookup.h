// Finding a control of the window by its name.
#pragma once

#include <QString>
#include <QWidget>

#include <stdexcept>
#include <string>

namespace vorlaine::ui {

// A missing control is a fault in the program, not in the user's input: it
// throws in every build type rather than going on with a null handle.
template <typename T> T* control(const QWidget* form, const QString& name) {
    T* widget = form->findChild<T*>(name, Qt::FindChildrenRecursively);
    if (!widget)
        throw std::out_of_range("Form1 has no control " + name.toStdString() + " of kind " +
                                T::staticMetaObject.className());
    return widget;
}

} // namespace vorlaine::ui

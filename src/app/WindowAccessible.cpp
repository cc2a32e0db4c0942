// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/WindowAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include <mutex>

namespace {

QAccessibleInterface* WindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("CZodynasDlg") && object != nullptr && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void InstallWindowAccessible() {
    static std::once_flag s_once;
    std::call_once(s_once, [] { QAccessible::installFactory(WindowAccessible); });
}

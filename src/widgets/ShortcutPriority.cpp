#include "widgets/ShortcutPriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace sorvane {

ShortcutPriority::ShortcutPriority(QWidget *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

bool ShortcutPriority::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget == nullptr || widget == m_window || widget->window() != m_window)
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    for (const QAction *action : m_window->actions()) {
        if (action->isEnabled() && action->shortcut() == pressed)
            return true; // withheld, so not claimed: the shortcut map takes the key
    }
    return false;
}

} // namespace sorvane

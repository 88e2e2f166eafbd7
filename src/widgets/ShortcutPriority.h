#pragma once

#include <QObject>

class QWidget;

namespace sorvane {

/// Gives a window's menu shortcuts priority over its controls' own use of the same keys:
/// Ctrl+A in a line edit opens the menu command instead of selecting all. Qt lets a focused
/// control claim a key through ShortcutOverride; this filter withholds that event from the
/// window's controls for the keys of the window's enabled actions.
class ShortcutPriority : public QObject {
    Q_OBJECT
public:
    /// Filters the application's events for `window`; owned by the window.
    explicit ShortcutPriority(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};

} // namespace sorvane

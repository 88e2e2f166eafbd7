#pragma once

#include <QChar>
#include <QObject>
#include <QString>

class QKeyEvent;

namespace sorvane {

/// The program's own keyboard layout, English (United States) or Russian. An application
/// event filter makes the characters typed into any of the program's widgets follow the
/// active layout by the physical position of the key, whatever layout the desktop has; the
/// desktop's own setting is left alone.
///
/// Where the key event carries a key code (X11 and Wayland give XKB key codes), the key's
/// position decides; otherwise the typed character is translated: with Russian active, the
/// Latin letters and the punctuation of the US layout become the Russian characters of the
/// same keys; with English active, Cyrillic letters become the Latin ones. Keys held with
/// Ctrl, Alt or Meta are shortcuts and pass unchanged, as do the keypad and AltGr characters.
class KeyboardLayout : public QObject {
    Q_OBJECT
public:
    static const QString English; ///< "00000409"
    static const QString Russian; ///< "00000419"

    /// Starts with English active and filters the application's key events from now on.
    explicit KeyboardLayout(QObject *parent = nullptr);
    ~KeyboardLayout() override;

    /// Makes a layout active; an identifier other than the two above is ignored.
    void activate(const QString &layoutId);
    QString active() const;

    /// The character the active layout gives for a key typed as `typed`; `keyCode` is the
    /// event's native scan code, 0 when unknown. Returns `typed` when nothing changes.
    QChar translate(QChar typed, quint32 keyCode, Qt::KeyboardModifiers modifiers) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool russianActive() const;
    /// Delivers a copy of the key event with the text the active layout gives, if it differs.
    bool replace(QObject *watched, QKeyEvent *event);

    QString m_active;
    bool m_delivering = false;
};

} // namespace sorvane

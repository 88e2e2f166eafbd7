#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class QWidget;

namespace sorvane {

/// The application object: its title, and the general error box that every failure a
/// handler does not catch itself ends in.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    /// The title: the caption of the general error box.
    static QString title();
    static void setTitle(const QString &title);

    /// The text the general error box shows for a failure's message: a "." is appended when
    /// the message is not empty and its last character sorts after ".".
    static QString errorBoxText(const QString &message);

    /// Shows the general error box (stop icon, one OK button, caption = title).
    static void showError(const QString &message);

    /// A message box with one OK button, modal to its owner.
    static void showMessage(QWidget *owner, const QString &caption, const QString &text,
                            QMessageBox::Icon icon = QMessageBox::NoIcon);

    /// Wraps a handler so that a sorvane::Error or std::exception it throws reaches the
    /// general error box instead of crossing the event loop; the loop goes on. A handler that
    /// takes no arguments may be connected to a signal that has some.
    template <class Handler> static auto guard(Handler handler)
    {
        return [handler = std::move(handler)](auto &&...args) mutable {
            run([&] {
                if constexpr (std::is_invocable_v<Handler &, decltype(args)...>)
                    handler(std::forward<decltype(args)>(args)...);
                else
                    handler();
            });
        };
    }

    /// Runs one handler now, with the same error handling as guard().
    static void run(const std::function<void()> &handler);
};

} // namespace sorvane

#pragma once

#include <QString>
#include <QUrl>

namespace sorvane {

/// The desktop's "open" and "edit" actions. The program hands addresses and files to the
/// desktop and does not look at the outcome; tests put a recording Shell in place.
class Shell {
public:
    virtual ~Shell() = default;

    /// Opens an address with the desktop's handler: "mailto:" addresses, web addresses
    /// (also without a scheme, as "www.example.org").
    virtual void open(const QString &address);
    /// Opens a text file in the desktop's handler for it.
    virtual void edit(const QString &filePath);

    /// The URL an address given to open() stands for.
    static QUrl addressUrl(const QString &address);

    /// The Shell in use: the desktop's unless another was set.
    static Shell &instance();
    /// Puts a Shell in place (not owned); nullptr returns to the desktop's.
    static void setInstance(Shell *shell);
};

} // namespace sorvane

#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace sorvane {

/// A failure the user is told about: the program's exceptions all derive from it, and the
/// application's general error box shows message().
class Error : public std::exception {
public:
    explicit Error(QString message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace sorvane

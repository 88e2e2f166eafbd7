#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace sorvane {

class ClientDataSet;

/// The last line of defence when a dictionary cannot be written back at the end of the
/// program: the whole table goes to a new file beside the program's files, or in the
/// system's temporary directory, so that no edit is lost.
class RecoveryCopy {
public:
    /// Writes the open dataset's table in the form its file name asks for; returns the path
    /// written, or an empty text when no directory took it.
    static QString save(const ClientDataSet &dataSet);

    /// The name of the copy for a dictionary file name: "words.xml" gives
    /// "words.recovered-20261211-103000.xml"; an empty name gives "dictionary.…db".
    static QString copyName(const QString &fileName, const QDateTime &when);

    /// The directories tried, in order.
    static QStringList directories();
};

} // namespace sorvane

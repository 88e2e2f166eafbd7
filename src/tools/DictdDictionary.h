#pragma once

#include "dataset/TableData.h"

#include <QByteArray>
#include <QString>

namespace sorvane::tools {

/// A dictionary in the dictd format (BASE.index with BASE.dict.dz or BASE.dict) read into a
/// Deu / Rus table: the headword as Deu, the translations of its first sense joined with
/// ", " as Rus. The first entry of a headword wins, so Deu stays unique; the database's own
/// entries ("00-database-…") are left out.
class DictdDictionary {
public:
    static TableData read(const QString &base);
    /// The table from the index text and the uncompressed dictionary text.
    static TableData fromIndex(const QByteArray &index, const QByteArray &dict);
    /// A gzip (dictzip) file inflated whole.
    static QByteArray gunzip(const QByteArray &compressed);
};

} // namespace sorvane::tools

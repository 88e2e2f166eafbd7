#pragma once

#include <QString>
#include <QVector>
#include <functional>

namespace sorvane {

class ClientDataSet;

/// The plain-text report of a dataset's view: ordered by "Deu;Rus", a header of field
/// names when there is a record, then one line per record; every value is followed by
/// eight spaces and every line by CR LF.
class TextReport {
public:
    /// The field indexes of the columns, in display order; asked afresh for every line.
    using Columns = std::function<QVector<int>()>;

    /// Sets the order "Deu;Rus" (it stays, also when a later step fails), walks the view
    /// from its first record (the last record is current afterwards) and returns the
    /// whole text. Throws what the dataset throws.
    static QString build(ClientDataSet &dataSet, const Columns &columns);

    /// The columns of every field in file order.
    static Columns allFields(const ClientDataSet &dataSet);
};

} // namespace sorvane

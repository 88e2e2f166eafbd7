#include "dataset/DataSetError.h"

namespace sorvane {

DataSetError::DataSetError(const QString &dataSetName, const QString &message)
    : Error(QStringLiteral("%1: %2").arg(dataSetName, message))
{
}

} // namespace sorvane

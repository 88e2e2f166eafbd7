#pragma once

#include "system/Error.h"

namespace sorvane {

/// An error about how a dataset is used: its message carries the dataset's name in front,
/// "Table1: Cannot perform this operation on a closed dataset".
class DataSetError : public Error {
public:
    DataSetError(const QString &dataSetName, const QString &message);
};

} // namespace sorvane

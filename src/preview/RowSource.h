#pragma once

#include "preview/Value.h"

#include <QList>
#include <QString>

// Rows of the report's data, one at a time, in the order the report reads them.
class RowSource
{
public:
    virtual ~RowSource() = default;
    virtual const QList<ColumnInfo> &columns() const = 0;
    // The next row; false at the end or on an error (then error() says which).
    virtual bool next(QList<Value> &row) = 0;
    virtual QString error() const = 0;
};

#pragma once

#include <QByteArrayView>

namespace ObjectStream {

// How many components streams hold, counted without making any.
struct StreamCensus
{
    qint64 components = 0;
    // The most components that share one parent (the stage included).
    qint64 mostSiblings = 0;
};

// Counts the components of the streams in data up to their end-of-list
// byte; damaged data counts as far as it can be read, as the reader reads it.
StreamCensus countComponents(QByteArrayView data);

} // namespace ObjectStream

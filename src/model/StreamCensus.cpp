#include "model/StreamCensus.h"

#include "model/StreamInput.h"

#include <algorithm>

namespace {

void countObject(StreamInput &in, ObjectStream::StreamCensus &census, int depth)
{
    StreamInput::checkDepth(depth);
    in.readObjectHeader();
    ++census.components;
    while (!in.atEndOfList()) {
        in.readShortString();
        in.skipValue(depth + 1);
    }
    qint64 children = 0;
    // Counted as they are read: a damaged child ends the count with what
    // came before it.
    while (!in.atEndOfList()) {
        ++children;
        census.mostSiblings = std::max(census.mostSiblings, children);
        countObject(in, census, depth + 1);
    }
}

} // namespace

namespace ObjectStream {

StreamCensus countComponents(QByteArrayView data)
{
    StreamInput in(data);
    StreamCensus census;
    qint64 topLevel = 0;
    try {
        while (in.remaining() > 0 && !in.atEndOfList()) {
            in.readSignature();
            census.mostSiblings = std::max(census.mostSiblings, ++topLevel);
            countObject(in, census, 0);
        }
    } catch (const std::exception &) {
        // The reader stops at the same place.
    }
    return census;
}

} // namespace ObjectStream

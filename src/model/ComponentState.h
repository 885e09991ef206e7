#pragma once

#include <QByteArray>

class ClassRegistry;
class QWidget;

// One component's own stored values, as an undo step compares and keeps
// what a component was: its object stream without any child.
namespace ObjectStream {

QByteArray writeAlone(const QWidget *component, const ClassRegistry &registry);

// Gives a component of a design the values of wanted, a stream of it on
// its own, when current is its stream now: only what differs is set, and
// a value that wanted does not hold goes back to that of a freshly made
// component of its class. Sets the name too. Throws StreamError on
// damaged data.
void restoreAlone(QWidget *component, const QByteArray &current, const QByteArray &wanted,
                  const ClassRegistry &registry);

} // namespace ObjectStream

#pragma once

#include <QFlags>
#include <QString>

#include <functional>

class QMenu;
class QObject;
class QWidget;
class TSelectedComponents;

// Answers of the stage's query events. Each answer is passed by reference,
// preset to "allowed"; a handler changes it only to refuse.
enum TCoverAccept {
    caCover = 0,    // cover it and look into its children
    caSkip = 1,     // neither
    caChildren = 2, // do not cover it, but look into its children
};

enum TSelectFlag {
    saPlace = 1,  // a creation drag may start on it
    saSelect = 2, // it may be selected
};
Q_DECLARE_FLAGS(TSelectAccept, TSelectFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSelectAccept)

inline constexpr TSelectAccept AllSelectFlags = TSelectAccept(saPlace | saSelect);

// Handlers of the stage's events; Sender is the stage, or the register for
// programmatic selection.
using TDeleteQuery = std::function<void(QObject *sender, QWidget *component, bool &canDelete)>;
using TCoverQuery =
    std::function<void(QObject *sender, QWidget *component, TCoverAccept &canCover)>;
using TSelectQuery =
    std::function<void(QObject *sender, QWidget *component, TSelectAccept &canSelect)>;
using TMoveQuery = std::function<void(QObject *sender, QWidget *component, bool &canMove)>;
using TComponentEvent = std::function<void(QObject *sender, QWidget *component)>;
using TCallCompoEditor = TComponentEvent;
using TCallPropEditor = std::function<void(QObject *sender, const TSelectedComponents &targets,
                                           const QString &propName, QString &value)>;
using TPopupEvent = std::function<void(QMenu *sender)>;

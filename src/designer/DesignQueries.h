#pragma once

#include <QFlags>
#include <QString>

#include <functional>

class QMenu;
class QObject;
class QWidget;
class SelectedComponents;

// Answers of the stage's query events. Each answer is passed by reference,
// preset to "allowed"; a handler changes it only to refuse.
enum CoverAnswer {
    caCover = 0,    // cover it and look into its children
    caSkip = 1,     // neither
    caChildren = 2, // do not cover it, but look into its children
};

enum SelectFlag {
    saPlace = 1,  // a creation drag may start on it
    saSelect = 2, // it may be selected
};
Q_DECLARE_FLAGS(SelectAnswer, SelectFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(SelectAnswer)

inline constexpr SelectAnswer AllSelectFlags = SelectAnswer(saPlace | saSelect);

// Handlers of the stage's events; Sender is the stage, or the register for
// programmatic selection.
using DeleteQuery = std::function<void(QObject *sender, QWidget *component, bool &canDelete)>;
using CoverQuery =
    std::function<void(QObject *sender, QWidget *component, CoverAnswer &canCover)>;
using SelectQuery =
    std::function<void(QObject *sender, QWidget *component, SelectAnswer &canSelect)>;
using MoveQuery = std::function<void(QObject *sender, QWidget *component, bool &canMove)>;
using ComponentEvent = std::function<void(QObject *sender, QWidget *component)>;
using ComponentEditorCall = ComponentEvent;
using PropertyEditorCall = std::function<void(QObject *sender, const SelectedComponents &targets,
                                           const QString &propName, QString &value)>;
using PopupEvent = std::function<void(QMenu *sender)>;

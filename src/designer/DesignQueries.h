#pragma once

#include <QFlags>

class QObject;
class QWidget;

// Answers of the stage's policy to the register's questions.
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

// What the owner of a stage decides for its register. The defaults allow
// everything; an owner overrides only what it refuses.
class StagePolicy
{
public:
    virtual ~StagePolicy() = default;

    // Delete and cut ask once per selected control, last first.
    virtual bool canDelete(QWidget *) const { return true; }
    virtual CoverAnswer coverAnswer(QWidget *) const { return caCover; }
    // asker is the stage, or the register for programmatic selection.
    virtual SelectAnswer selectAnswer(QObject *, QWidget *) const { return AllSelectFlags; }
    virtual bool canMove(QWidget *) const { return true; }
    // Copy and cut leave out the selected controls refused here.
    virtual bool canCopy(QWidget *) const { return true; }
    // A component read from the clipboard and refused here is freed at once.
    virtual bool canPaste(QWidget *) const { return true; }
};

#pragma once

class QWidget;

// What a handle manager keeps per selected control.
class SelectionMarker
{
public:
    explicit SelectionMarker(QWidget *control) : m_control(control) {}
    virtual ~SelectionMarker() = default;
    SelectionMarker(const SelectionMarker &) = delete;
    SelectionMarker &operator=(const SelectionMarker &) = delete;

    QWidget *control() const { return m_control; }
    // The control is going away: never touch it again.
    virtual void forgetControl() { m_control = nullptr; }
    virtual void reposition() = 0;
    virtual bool hasHandleWindows() const { return false; }

private:
    QWidget *m_control;
};

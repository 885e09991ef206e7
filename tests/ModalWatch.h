#pragma once

// Acting on a modal dialog from inside the loop that shows it.

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>

// While it lives, act runs on every modal dialog of class Dialog that
// shows; act is expected to close it.
template<class Dialog>
class ModalWatch : public QObject
{
public:
    explicit ModalWatch(std::function<void(Dialog *)> act) : m_act(std::move(act))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget()))
                m_act(dialog);
        });
        m_timer.start(10);
    }

private:
    std::function<void(Dialog *)> m_act;
    QTimer m_timer;
};

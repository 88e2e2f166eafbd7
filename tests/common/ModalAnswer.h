#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace sorvane::test {

/// Answers the next modal dialog: polls until one is open, then hands it to answer(). Call
/// it before the code that opens the dialog.
inline void answerNextModal(std::function<void(QWidget *)> answer)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

} // namespace sorvane::test

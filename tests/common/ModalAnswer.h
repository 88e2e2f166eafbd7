#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace sorvane::test {

/// The pollers still waiting for a dialog, so that a test can end them.
inline QObject &pendingAnswers()
{
    static QObject pending;
    return pending;
}

/// Ends every answer still waiting: one left over would answer a later test's dialog.
inline void stopAnsweringModals()
{
    const auto pollers = pendingAnswers().findChildren<QTimer *>(Qt::FindDirectChildrenOnly);
    for (QTimer *poll : pollers)
        delete poll;
}

/// Answers the next modal dialog: polls until one is open, then hands it to answer(). Call
/// it before the code that opens the dialog. A poll that finds no dialog within five seconds
/// gives up, so it cannot answer a later test's dialog.
inline void answerNextModal(std::function<void(QWidget *)> answer)
{
    auto *poll = new QTimer(&pendingAnswers());
    poll->setInterval(5);
    auto polls = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, polls, answer = std::move(answer)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++*polls > 1000) {
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

} // namespace sorvane::test

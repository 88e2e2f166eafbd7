#include "widgets/ShortcutPriority.h"

#include <QAction>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using sorvane::ShortcutPriority;

class TestShortcutPriority : public QObject {
    Q_OBJECT

private slots:
    void menuShortcutWinsOverTheLineEdit_data()
    {
        QTest::addColumn<bool>("withPriority");
        QTest::addColumn<bool>("actionEnabled");
        QTest::addColumn<int>("triggered");
        QTest::addColumn<bool>("editSelectedAll");
        QTest::newRow("priority: the action runs") << true << true << 1 << false;
        QTest::newRow("disabled action: the edit keeps the key") << true << false << 0 << true;
        QTest::newRow("without: the edit claims Ctrl+A") << false << true << 0 << true;
    }
    void menuShortcutWinsOverTheLineEdit()
    {
        QFETCH(bool, withPriority);
        QFETCH(bool, actionEnabled);
        QFETCH(int, triggered);
        QFETCH(bool, editSelectedAll);

        QWidget window;
        auto *edit = new QLineEdit(QStringLiteral("abc"), &window);
        (new QVBoxLayout(&window))->addWidget(edit);
        auto *action = new QAction(&window);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
        action->setEnabled(actionEnabled);
        window.addAction(action);
        if (withPriority)
            new ShortcutPriority(&window);
        int count = 0;
        connect(action, &QAction::triggered, [&] { ++count; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        edit->deselect();

        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(count, triggered);
        QCOMPARE(edit->selectedText() == QStringLiteral("abc"), editSelectedAll);
        QCOMPARE(edit->text(), QStringLiteral("abc"));
    }

    void otherKeysStillReachTheEdit()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(edit);
        auto *action = new QAction(&window);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
        window.addAction(action);
        new ShortcutPriority(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("Ab"));
        QCOMPARE(edit->text(), QStringLiteral("Ab"));
    }
};

QTEST_MAIN(TestShortcutPriority)
#include "tst_shortcutpriority.moc"

#include "DataSetFixture.h"
#include "common/ModalAnswer.h"
#include "widgets/Application.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/DataSource.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

using sorvane::ClientDataSet;
using sorvane::DataSource;
using sorvane::DBNavigator;
using State = ClientDataSet::State;
using Setup = std::function<void(ClientDataSet &)>;
Q_DECLARE_METATYPE(Setup)

namespace {

const char *const kNames[] = {"First",  "Prior", "Next", "Last",   "Insert",
                              "Delete", "Edit",  "Post", "Cancel", "Refresh"};

struct Navigated {
    Navigated() : table(QStringLiteral("Table1"))
    {
        source.setDataSet(&table);
        navigator.setDataSource(&source);
    }
    void open(const sorvane::test::WordPairs &words = sorvane::test::sampleWords())
    {
        table.openData(sorvane::test::dictionary(words));
    }
    QToolButton *button(const char *name) const
    {
        return navigator.findChild<QToolButton *>(QLatin1String(name));
    }
    /// "1" for an enabled button, "0" for a disabled one, in button order.
    QString enabling() const
    {
        QString flags;
        for (const char *name : kNames)
            flags += button(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    }

    ClientDataSet table;
    DataSource source;
    DBNavigator navigator;
};

/// Presses the button of that text in the next modal box and keeps the box's text.
QString *answerBox(const QString &press)
{
    auto *text = new QString;
    sorvane::test::answerNextModal([text, press](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        *text = box ? box->text() : QString();
        for (QAbstractButton *button : box ? box->buttons() : QList<QAbstractButton *>())
            if (button->text() == press) {
                button->click();
                return;
            }
        modal->close();
    });
    return text;
}

} // namespace

class TestDBNavigator : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { sorvane::Application::setTitle(QStringLiteral("Sorvane")); }

    void tenButtonsInOrderWithTheirHints()
    {
        Navigated n;
        const QStringList hints{"Первая запись",           "Предыдущая запись",
                                "Следующая запись",        "Последняя запись",
                                "Вставить запись",         "Стереть запись",
                                "Редактировать запись",    "Утвердить",
                                "Отменить редактирование", "Обновить данные"};
        const QList<QToolButton *> buttons = n.navigator.findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 10);
        n.navigator.resize(690, 25);
        n.navigator.show();
        QVERIFY(QTest::qWaitForWindowExposed(&n.navigator));
        int left = -1;
        for (int i = 0; i < 10; ++i) {
            QToolButton *button = n.button(kNames[i]);
            QVERIFY2(button, kNames[i]);
            QCOMPARE(button->toolTip(), hints.at(i));
            QVERIFY(!button->icon().isNull());
            QVERIFY(button->x() > left); // laid out left to right in this order
            left = button->x();
        }
    }

    void enabling_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("expected"); // First … Refresh
        const Setup none = [](ClientDataSet &) {};
        QTest::newRow("closed") << false << none << "0000000000";
        QTest::newRow("first record") << true << none << "0011111001";
        QTest::newRow("middle record")
            << true << Setup([](ClientDataSet &t) { t.setRecNo(2); }) << "1111111001";
        QTest::newRow("last record")
            << true << Setup([](ClientDataSet &t) { t.last(); }) << "1100111001";
        QTest::newRow("editing") << true << Setup([](ClientDataSet &t) {
            t.setRecNo(2);
            t.edit();
        }) << "1111110111";
        QTest::newRow("inserting at the end")
            << true << Setup([](ClientDataSet &t) { t.append(); }) << "1100110111";
        QTest::newRow("back to browsing after post") << true << Setup([](ClientDataSet &t) {
            t.edit();
            t.setValue(1, QStringLiteral("здание"));
            t.post();
        }) << "0011111001";
        QTest::newRow("closed again")
            << true << Setup([](ClientDataSet &t) { t.close(); }) << "0000000000";
    }
    void enabling()
    {
        QFETCH(bool, open);
        QFETCH(Setup, setup);
        QFETCH(QString, expected);
        Navigated n;
        if (open)
            n.open();
        setup(n.table);
        QCOMPARE(n.enabling(), expected);
    }

    void enablingOnEmptyAndSingleRecordTables_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << 0 << "0000100001";
        QTest::newRow("one record") << 1 << "0000111001";
    }
    void enablingOnEmptyAndSingleRecordTables()
    {
        QFETCH(int, records);
        QFETCH(QString, expected);
        Navigated n;
        sorvane::test::WordPairs words(sorvane::test::sampleWords().begin(),
                                       sorvane::test::sampleWords().begin() + records);
        n.open(words);
        QCOMPARE(n.enabling(), expected);
    }

    void buttonsMoveTheCursor()
    {
        Navigated n;
        n.open();
        n.button("Next")->click();
        QCOMPARE(n.table.recNo(), 2);
        n.button("Last")->click();
        QCOMPARE(n.table.recNo(), 4);
        n.button("Prior")->click();
        QCOMPARE(n.table.recNo(), 3);
        n.button("First")->click();
        QCOMPARE(n.table.recNo(), 1);
    }

    void buttonsEditPostAndCancel()
    {
        Navigated n;
        n.open();
        QSignalSpy posted(&n.table, &ClientDataSet::afterPost);
        n.button("Edit")->click();
        QCOMPARE(n.table.state(), State::Edit);
        n.table.setValue(1, QStringLiteral("здание"));
        n.button("Post")->click();
        QCOMPARE(posted.count(), 1);
        QCOMPARE(n.table.textAt(0, 1), QStringLiteral("здание"));
        n.button("Insert")->click();
        QCOMPARE(n.table.state(), State::Insert);
        QCOMPARE(n.table.recordCount(), 5);
        n.button("Cancel")->click();
        QCOMPARE(n.table.state(), State::Browse);
        QCOMPARE(n.table.recordCount(), 4);
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("remaining");
        QTest::newRow("OK") << "OK" << 3;
        QTest::newRow("Cancel") << "Cancel" << 4;
    }
    void deleteAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(int, remaining);
        Navigated n;
        n.open();
        std::unique_ptr<QString> text(answerBox(answer));
        n.button("Delete")->click();
        QCOMPARE(*text, QStringLiteral("Delete record?"));
        QCOMPARE(n.table.recordCount(), remaining);
    }

    void refreshPostsThenFailsInTheErrorBox()
    {
        Navigated n;
        n.open();
        n.table.setValue(1, QStringLiteral("здание"));
        QSignalSpy posted(&n.table, &ClientDataSet::afterPost);
        std::unique_ptr<QString> text(answerBox(QStringLiteral("OK")));
        n.button("Refresh")->click();
        QCOMPARE(posted.count(), 1);
        QVERIFY2(text->startsWith(QStringLiteral("Table1: ")), qPrintable(*text));
        QVERIFY(text->endsWith(QLatin1Char('.')));
        QCOMPARE(n.table.state(), State::Browse);
    }

    void postTakesWhatTheGridsEditorHolds()
    {
        Navigated n;
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *grid = new sorvane::DBGrid;
        layout->addWidget(&n.navigator);
        layout->addWidget(grid);
        grid->setDataSource(&n.source);
        n.open();
        window.show();
        grid->setFocus();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (const char c : {'Z', 'e', 'l', 't'})
            QTest::keyClick(QApplication::focusWidget(), c);
        QVERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        QCOMPARE(n.table.state(), State::Edit);
        QCOMPARE(n.enabling(), QStringLiteral("0011110111"));
        n.button("Post")->click();
        QCOMPARE(n.table.state(), State::Browse);
        QCOMPARE(n.table.textAt(0, 0), QStringLiteral("Zelt"));
        QCOMPARE(n.table.recNo(), 1);
        n.navigator.setParent(nullptr); // owned by the fixture, not the window
    }
};

int main(int argc, char **argv)
{
    sorvane::Application app(argc, argv);
    TestDBNavigator test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dbnavigator.moc"

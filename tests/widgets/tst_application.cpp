#include "common/ModalAnswer.h"
#include "system/Error.h"
#include "widgets/Application.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

using sorvane::Application;

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Application::setTitle(QStringLiteral("Sorvane")); }

    void errorBoxText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("full stop") << "Done."
                                   << "Done.";
        QTest::newRow("parenthesis") << "Failed (disk)"
                                     << "Failed (disk)";
        QTest::newRow("exclamation") << "Ошибка!"
                                     << "Ошибка!";
        QTest::newRow("comma") << "a,"
                               << "a,";
        QTest::newRow("Latin letter") << "Table1: Missing data provider or data packet"
                                      << "Table1: Missing data provider or data packet.";
        QTest::newRow("digit") << "Code 7"
                               << "Code 7.";
        QTest::newRow("Cyrillic letter") << "Нет файла"
                                         << "Нет файла.";
        QTest::newRow("slash sorts after") << "a/"
                                           << "a/.";
        QTest::newRow("blank") << "a "
                               << "a ";
    }
    void errorBoxText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(Application::errorBoxText(message), shown);
    }

    void guardShowsTheBoxAndGoesOn_data()
    {
        QTest::addColumn<bool>("ownError");
        QTest::newRow("sorvane::Error") << true;
        QTest::newRow("std::exception") << false;
    }
    void guardShowsTheBoxAndGoesOn()
    {
        QFETCH(bool, ownError);
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        sorvane::test::answerNextModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        bool after = false;
        auto handler = Application::guard([&](int n) {
            if (ownError)
                throw sorvane::Error(QStringLiteral("Fehler %1").arg(n));
            throw std::runtime_error("Fehler 3");
        });
        handler(3);
        after = true;
        QCOMPARE(text, QStringLiteral("Fehler 3."));
        QCOMPARE(caption, QStringLiteral("Sorvane"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
        QVERIFY(after);
    }

    void guardedSlotKeepsTheEventLoopRunning()
    {
        sorvane::test::answerNextModal([](QWidget *box) { box->close(); });
        QTimer source;
        source.setSingleShot(true);
        int calls = 0;
        QObject::connect(&source, &QTimer::timeout, Application::guard([&] {
            ++calls;
            throw sorvane::Error(QStringLiteral("x"));
        }));
        source.start(0);
        QTRY_COMPARE(calls, 1);
        bool loopAlive = false;
        QTimer::singleShot(0, [&] { loopAlive = true; });
        QTRY_VERIFY(loopAlive);
    }
};

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"

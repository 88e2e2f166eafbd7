#include "SorvaneFixture.h"

#include "widgets/DBGrid.h"
#include "widgets/TabControl.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

using namespace sorvane;
using namespace sorvane::test;

// The main window as laid out: controls, texts, menus, the clock and the close paths.
class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        auto row = [](const char *name, QRect place, const QString &text, const QString &hint) {
            QTest::newRow(name) << QString::fromLatin1(name) << place << text << hint;
        };
        row("Button1", {8, 465, 233, 25}, QStringLiteral("Открыть базу немецко-русского словаря"),
            QStringLiteral("База данных немецко-русского словаря"));
        row("Button2", {248, 465, 89, 25}, QStringLiteral("Фильтровать"),
            QStringLiteral("Фильтрация"));
        row("Button3", {448, 417, 105, 25}, QStringLiteral("Русский"),
            QStringLiteral("Сортировать по русским словам"));
        row("Button5", {448, 441, 105, 25}, QStringLiteral("Немецкий"),
            QStringLiteral("Сортировать по немецким словам"));
        row("Button6", {560, 465, 153, 25}, QStringLiteral("Закрыть всё"),
            QStringLiteral("Закрыть всё"));
        row("Button7", {8, 417, 177, 25}, QStringLiteral("Поиск по немецким словам"),
            QStringLiteral("Поиск среди немецких слов"));
        row("Button8", {8, 441, 177, 25}, QStringLiteral("Поиск по русским словам"),
            QStringLiteral("Поиск среди русских слов"));
        row("Button9", {560, 416, 153, 25}, QStringLiteral("Создать отчёт"),
            QStringLiteral("Создать отчёт"));
        row("CheckBox1", {560, 441, 145, 25}, QStringLiteral("Показывать все записи"), QString());
        row("Edit1", {344, 465, 209, 24}, QString(), QString());
        row("Edit2", {192, 419, 249, 21}, QString(), QString());
        row("Edit3", {192, 443, 249, 21}, QString(), QString());
        row("DBGrid1", {8, 80, 697, 329}, QString(), QString());
        row("DBNavigator1", {8, 48, 690, 25}, QString(), QStringLiteral("Управление записями"));
        row("TabControl1", {8, 0, 697, 41}, QString(),
            QStringLiteral("Если Вы выберете букву, то в словаре останутся только слова на эту "
                           "букву"));
        row("StatusBar1", {0, 493, 713, 19}, QString(), QString());
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        SorvaneFixture fixture;
        auto window = fixture.start();
        auto *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->size(), QSize(713, 512));
        QCOMPARE(control->geometry(), place);
        QCOMPARE(control->toolTip(), hint);
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(button->text(), text);
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            QCOMPARE(edit->text(), text);
    }

    void windowAsLaidOut()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        QCOMPARE(window->objectName(), QStringLiteral("Sorvane"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Vimbor"));
        QCOMPARE(window->frameGeometry().size(), QSize(721, 566));
        QCOMPARE(window->TabControl1->count(), 26);
        QCOMPARE(window->TabControl1->tabText(0), QStringLiteral("A"));
        QCOMPARE(window->TabControl1->tabText(25), QStringLiteral("Z"));
        QCOMPARE(window->TabControl1->currentIndex(), 0);
        QVERIFY(window->CheckBox1->isChecked());
        QCOMPARE(window->Edit1->font().family(), QStringLiteral("Arial Narrow"));
        QCOMPARE(window->Edit1->font().pixelSize(), 13);
        QVERIFY(window->Edit1->font().bold());
        QCOMPARE(window->palette().color(QPalette::Window),
                 window->palette().color(QPalette::ToolTipBase));
        // Centred on the screen at the first show.
        const QRect screen = window->screen()->geometry();
        QCOMPARE(window->frameGeometry().left(), screen.left() + (screen.width() - 721) / 2);
        QCOMPARE(window->frameGeometry().top(), screen.top() + (screen.height() - 566) / 2);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("N2") << "N2" << QStringLiteral("О...") << QKeySequence(Qt::Key_F1);
        QTest::newRow("N3") << "N3" << QStringLiteral("Количество записей")
                            << QKeySequence(Qt::Key_F2);
        QTest::newRow("N9") << "N9" << QStringLiteral("Последний запуск")
                            << QKeySequence(Qt::Key_F3);
        QTest::newRow("N10") << "N10" << QStringLiteral("Количество запусков")
                             << QKeySequence(Qt::Key_F4);
        QTest::newRow("N5") << "N5" << QStringLiteral("Цвет таблицы")
                            << QKeySequence(Qt::CTRL | Qt::Key_A);
        QTest::newRow("N6") << "N6" << QStringLiteral("Шрифт таблицы")
                            << QKeySequence(Qt::CTRL | Qt::Key_B);
        QTest::newRow("N7") << "N7" << QStringLiteral("Цвет заголовков")
                            << QKeySequence(Qt::CTRL | Qt::Key_D);
        QTest::newRow("N8") << "N8" << QStringLiteral("Шрифт заголовков")
                            << QKeySequence(Qt::CTRL | Qt::Key_E);
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        SorvaneFixture fixture;
        auto window = fixture.start();
        auto *action = window->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(window->N1->title(), QStringLiteral("Информация"));
        QCOMPARE(window->N4->title(), QStringLiteral("Настройка"));
    }

    void popupMenuHelp()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        const QList<QAction *> items = window->PopupMenu1->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->objectName(), QStringLiteral("RusDeu1"));
        QCOMPARE(items[2]->text(), QStringLiteral("Rus<>'город' - означает, что фильтровать "
                                                  "поле Rus, не включая слово \"город\""));
        QCOMPARE(items[3]->objectName(), QStringLiteral("Deub1"));
        QCOMPARE(window->Edit1->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(window->Button2->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    void clock_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("shown");
        QTest::newRow("day") << QTime(10, 30, 15) << QStringLiteral("Сейчас 11.12.2026 10:30:15");
        QTest::newRow("midnight: the date alone")
            << QTime(0, 0, 0) << QStringLiteral("Сейчас 11.12.2026");
        QTest::newRow("just after midnight")
            << QTime(0, 0, 1) << QStringLiteral("Сейчас 11.12.2026 00:00:01");
    }
    void clock()
    {
        QFETCH(QTime, time);
        QFETCH(QString, shown);
        SorvaneFixture fixture;
        fixture.now = QDateTime(QDate(2026, 12, 11), time);
        auto window = fixture.start();
        // As laid out until the first tick: 50 pixels, left-aligned.
        QCOMPARE(window->StatusBar1->panelWidth(0), 50);
        QCOMPARE(window->StatusBar1->panelAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        window->Timer1Timer(window->Timer1);
        QCOMPARE(SorvaneFixture::panelText(*window, 1), shown);
        QCOMPARE(window->StatusBar1->panelWidth(0), window->width() / 2);
        QCOMPARE(window->StatusBar1->panelWidth(1), window->width() / 2);
        QCOMPARE(window->StatusBar1->panelAlignment(0) & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(window->Timer1->interval(), 500);
        QVERIFY(window->Timer1->isActive());
    }

    void firstStartOpensNothing()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        QVERIFY(!window->Table1->active());
        QCOMPARE(SorvaneFixture::panelText(*window, 0), QString());
        QCOMPARE(window->DBGrid1->model()->columnCount(), 0);
    }

    void enterInTheFilterBoxDoesNotFilter()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        window->Edit1->setFocus();
        QTest::keyClicks(window->Edit1, QStringLiteral("Deu='x'"));
        QTest::keyClick(window->Edit1, Qt::Key_Return);
        // Filtering stays off and the typed text was not made the filter.
        QVERIFY(!window->Table1->filtered());
        QCOMPARE(window->Table1->filter(), QStringLiteral("Deu = 'A*'"));
    }

    void formKeyPressClicksTheFilterButtonOnEnter_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("filters");
        QTest::newRow("Enter") << QChar(13) << true;
        QTest::newRow("a letter") << QChar(u'a') << false;
        QTest::newRow("line feed") << QChar(10) << false;
    }
    void formKeyPressClicksTheFilterButtonOnEnter()
    {
        QFETCH(QChar, key);
        QFETCH(bool, filters);
        SorvaneFixture fixture;
        auto window = fixture.start();
        window->Edit1->setText(QStringLiteral("Deu='x'"));
        QChar typed = key;
        window->FormKeyPress(window.get(), typed);
        QCOMPARE(typed, key);
        QCOMPARE(window->Table1->filtered(), filters);
        QCOMPARE(window->Table1->filter(),
                 filters ? QStringLiteral("Deu='x'") : QStringLiteral("Deu = 'A*'"));
    }

    void ctrlAInTheFilterBoxIsTheMenus()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        window->Edit1->setFocus();
        QString title;
        answerNextModal([&title](QWidget *dialog) {
            title = dialog->objectName();
            dialog->close();
        });
        QTest::keyClick(window->Edit1, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(title, QStringLiteral("ColorDialog1"));
    }

    void closeButtonClosesLikeTheCloseBox()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        window->Button6->click();
        QVERIFY(!window->isVisible());
        QVERIFY(fixture.readSettings().contains(QStringLiteral("CountStart=1")));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"

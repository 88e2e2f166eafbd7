#include "widgets/TabControl.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

using sorvane::TabControl;

namespace {

void addLetters(TabControl &tabs)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        tabs.addTab(QString(QLatin1Char(letter)));
}

} // namespace

class TestTabControl : public QObject {
    Q_OBJECT

private slots:
    void tabsAndFirstSelection()
    {
        TabControl tabs;
        QCOMPARE(tabs.currentIndex(), -1);
        addLetters(tabs);
        QCOMPARE(tabs.count(), 26);
        QCOMPARE(tabs.tabText(0), QStringLiteral("A"));
        QCOMPARE(tabs.tabText(25), QStringLiteral("Z"));
        QCOMPARE(tabs.tabText(26), QString());
        QCOMPARE(tabs.currentIndex(), 0);
        QVERIFY(tabs.tabRect(26).isEmpty());
    }

    void tabsWrapIntoRows_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("oneRow");
        QTest::newRow("wide") << 2000 << true;
        QTest::newRow("narrow") << 120 << false;
        QTest::newRow("narrower than one tab") << 5 << false;
    }
    void tabsWrapIntoRows()
    {
        QFETCH(int, width);
        QFETCH(bool, oneRow);
        TabControl tabs;
        addLetters(tabs);
        tabs.resize(width, tabs.heightForWidth(width));
        QCOMPARE(tabs.tabRect(25).top() == tabs.tabRect(0).top(), oneRow);
        for (int i = 0; i < tabs.count(); ++i) {
            const QRect rect = tabs.tabRect(i);
            QVERIFY(!rect.isEmpty());
            // Tabs stay inside the strip unless a single tab is wider than it.
            if (rect.width() < width)
                QVERIFY2(rect.right() < width, qPrintable(QString::number(i)));
            QVERIFY(rect.bottom() < tabs.height());
            if (i > 0) {
                const QRect before = tabs.tabRect(i - 1);
                QVERIFY(!rect.intersects(before));
                QVERIFY(rect.top() > before.top() || rect.left() > before.left());
            }
        }
        if (!oneRow)
            QVERIFY(tabs.heightForWidth(width) > tabs.heightForWidth(2000));
    }

    void mouseSelection_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("changes");
        QTest::newRow("another tab") << 3 << 3 << 1;
        QTest::newRow("the last tab") << 25 << 25 << 1;
        QTest::newRow("the selected tab") << 0 << 0 << 0;
    }
    void mouseSelection()
    {
        QFETCH(int, clicked);
        QFETCH(int, selected);
        QFETCH(int, changes);
        TabControl tabs;
        addLetters(tabs);
        tabs.resize(300, tabs.heightForWidth(300));
        QSignalSpy changed(&tabs, &TabControl::changed);
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(clicked).center());
        QCOMPARE(tabs.currentIndex(), selected);
        QCOMPARE(changed.count(), changes);
    }

    void clicksBesideTheTabsChangeNothing()
    {
        TabControl tabs;
        addLetters(tabs);
        tabs.resize(2000, 60);
        QSignalSpy changed(&tabs, &TabControl::changed);
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, QPoint(1990, tabs.tabRect(0).center().y()));
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, QPoint(10, 55));
        QTest::mouseClick(&tabs, Qt::RightButton, {}, tabs.tabRect(5).center());
        QCOMPARE(tabs.currentIndex(), 0);
        QCOMPARE(changed.count(), 0);
    }

    void selectionFromCodeIsSilent()
    {
        TabControl tabs;
        addLetters(tabs);
        QSignalSpy changed(&tabs, &TabControl::changed);
        tabs.setCurrentIndex(7);
        QCOMPARE(tabs.currentIndex(), 7);
        tabs.setCurrentIndex(26);
        tabs.setCurrentIndex(-2);
        QCOMPARE(tabs.currentIndex(), 7);
        tabs.setCurrentIndex(-1);
        QCOMPARE(tabs.currentIndex(), -1);
        QCOMPARE(changed.count(), 0);
    }

    void arrowKeysSelectNeighbours()
    {
        TabControl tabs;
        addLetters(tabs);
        QSignalSpy changed(&tabs, &TabControl::changed);
        QTest::keyClick(&tabs, Qt::Key_Left);
        QCOMPARE(changed.count(), 0);
        QTest::keyClick(&tabs, Qt::Key_Right);
        QCOMPARE(tabs.currentIndex(), 1);
        QCOMPARE(changed.count(), 1);
        tabs.setCurrentIndex(25);
        QTest::keyClick(&tabs, Qt::Key_Right);
        QCOMPARE(tabs.currentIndex(), 25);
        QTest::keyClick(&tabs, Qt::Key_Left);
        QCOMPARE(tabs.currentIndex(), 24);
        QCOMPARE(changed.count(), 2);
    }

    void selectedTabIsDrawnDifferently()
    {
        TabControl tabs;
        tabs.addTab(QStringLiteral("A"));
        tabs.addTab(QStringLiteral("B"));
        tabs.resize(200, tabs.heightForWidth(200));
        const QImage first = tabs.grab().toImage();
        tabs.setCurrentIndex(1);
        const QImage second = tabs.grab().toImage();
        QVERIFY(first != second);
        tabs.setCurrentIndex(0);
        QCOMPARE(tabs.grab().toImage(), first);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestTabControl test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabcontrol.moc"

#include "widgets/StatusBar.h"

#include <QApplication>
#include <QLabel>
#include <QSizeGrip>
#include <QVBoxLayout>
#include <QtTest>

using sorvane::StatusBar;

class TestStatusBar : public QObject {
    Q_OBJECT

private slots:
    void panelsAsLaidOut()
    {
        StatusBar bar;
        QCOMPARE(bar.addPanel(50), 0);
        QCOMPARE(bar.addPanel(50), 1);
        bar.resize(713, bar.sizeHint().height());
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QCOMPARE(bar.panelCount(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(bar.panelWidth(i), 50);
            QCOMPARE(bar.panelAlignment(i), Qt::AlignLeft);
            QCOMPARE(bar.panelText(i), QString());
            auto *label = bar.findChild<QLabel *>(QStringLiteral("panel%1").arg(i));
            QVERIFY(label);
            QCOMPARE(label->width(), 50);
            QCOMPARE(label->frameStyle(), int(QFrame::Panel | QFrame::Sunken));
        }
        QVERIFY(bar.findChild<QLabel *>(QStringLiteral("panel1"))->x() >
                bar.findChild<QLabel *>(QStringLiteral("panel0"))->geometry().right());
        QCOMPARE(bar.focusPolicy(), Qt::NoFocus);
        auto *grip = bar.findChild<QSizeGrip *>();
        QVERIFY(grip);
        QCOMPARE(grip->geometry().right(), bar.width() - 1);
    }

    void panelChanges()
    {
        StatusBar bar;
        bar.addPanel(50);
        bar.addPanel(50);
        bar.resize(721, bar.sizeHint().height());
        bar.setPanelWidth(0, 360);
        bar.setPanelWidth(1, 360);
        bar.setPanelAlignment(1, Qt::AlignHCenter | Qt::AlignTop);
        bar.setPanelText(0, QStringLiteral("Количество записей равно 3"));
        QCOMPARE(bar.panelWidth(0), 360);
        QCOMPARE(bar.panelAlignment(1), Qt::AlignHCenter);
        QCOMPARE(bar.panelText(0), QStringLiteral("Количество записей равно 3"));
        auto *second = bar.findChild<QLabel *>(QStringLiteral("panel1"));
        QCOMPARE(second->width(), 360);
        QVERIFY(second->x() >= 360);
        QCOMPARE(second->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    }

    // Panels as wide as the whole window must not keep the window from shrinking.
    void widePanelsDoNotWidenTheWindow()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *bar = new StatusBar;
        layout->addWidget(bar);
        bar->addPanel(50);
        bar->addPanel(50);
        bar->setPanelWidth(0, 1000);
        bar->setPanelWidth(1, 1000);
        QVERIFY(window.minimumSizeHint().width() < 1000);
        window.resize(300, 100);
        QCOMPARE(window.width(), 300);
    }

    void keepsTheSystemFont()
    {
        QWidget window;
        QFont windowFont(QStringLiteral("Courier New"));
        windowFont.setPixelSize(30);
        window.setFont(windowFont);
        auto *bar = new StatusBar(&window);
        QCOMPARE(bar->font().family(), QApplication::font("QStatusBar").family());
        QVERIFY(bar->fontInfo().pixelSize() != 30);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestStatusBar test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statusbar.moc"

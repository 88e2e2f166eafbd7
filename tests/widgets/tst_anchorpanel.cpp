#include "widgets/AnchorPanel.h"

#include <QtTest>

using sorvane::AnchorPanel;

class TestAnchorPanel : public QObject {
    Q_OBJECT

private slots:
    void anchoredRect_data()
    {
        QTest::addColumn<int>("anchors");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected");
        const int all =
            AnchorPanel::Left | AnchorPanel::Top | AnchorPanel::Right | AnchorPanel::Bottom;
        const int leftBottom = AnchorPanel::Left | AnchorPanel::Bottom;
        const int leftTopRight = AnchorPanel::Left | AnchorPanel::Top | AnchorPanel::Right;
        // The grid, designed at 8,80 697×329 in a 713×512 area.
        QTest::newRow("all four: grows both ways")
            << all << QSize(813, 612) << QRect(8, 80, 797, 429);
        QTest::newRow("all four: shrinks") << all << QSize(613, 412) << QRect(8, 80, 597, 229);
        QTest::newRow("left, bottom: moves down")
            << leftBottom << QSize(813, 612) << QRect(8, 180, 697, 329);
        QTest::newRow("left, top, right: follows the width")
            << leftTopRight << QSize(813, 612) << QRect(8, 80, 797, 329);
        QTest::newRow("right only: moves right")
            << int(AnchorPanel::Right) << QSize(813, 512) << QRect(108, 80, 697, 329);
        QTest::newRow("never negative") << all << QSize(100, 100) << QRect(8, 80, 84, 0);
    }
    void anchoredRect()
    {
        QFETCH(int, anchors);
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        QCOMPARE(AnchorPanel::anchoredRect(QRect(8, 80, 697, 329), AnchorPanel::Anchors(anchors),
                                           QSize(713, 512), size),
                 expected);
    }

    void childrenFollowAResize()
    {
        AnchorPanel panel(QSize(713, 512));
        auto *button = new QWidget;
        panel.place(button, QRect(8, 465, 233, 25), AnchorPanel::Left | AnchorPanel::Bottom);
        QCOMPARE(button->geometry(), QRect(8, 465, 233, 25));
        panel.show();
        panel.resize(900, 600);
        QCOMPARE(button->geometry(), QRect(8, 553, 233, 25));
        QCOMPARE(button->parentWidget(), &panel);
    }
};

QTEST_MAIN(TestAnchorPanel)
#include "tst_anchorpanel.moc"

#include "widgets/ColorValue.h"
#include "widgets/GradientCaption.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace sorvane;

namespace {

/// A main window that counts how often its close path ran.
class CountingWindow : public QMainWindow {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        QMainWindow::closeEvent(event);
    }
};

QColor systemColor(ColorValue::SystemColor index)
{
    return ColorValue::toColor(ColorValue::systemColor(index));
}

} // namespace

class TestGradientCaption : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CountingWindow> m_window;
    GradientCaption *m_caption = nullptr;

    QToolButton *button(const char *name)
    {
        auto *found = m_caption->findChild<QToolButton *>(QLatin1String(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }

private slots:
    void init()
    {
        m_window = std::make_unique<CountingWindow>();
        m_window->menuBar()->addMenu(QStringLiteral("Информация"));
        m_window->setCentralWidget(new QLabel(QStringLiteral("central")));
        QPixmap icon(32, 32);
        icon.fill(Qt::red);
        m_window->setWindowIcon(QIcon(icon));
        m_caption = GradientCaption::install(m_window.get());
        m_caption->setText(QStringLiteral("Vimbor"));
        m_window->resize(721, 566);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void placement()
    {
        QVERIFY(m_window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(m_caption->text(), QStringLiteral("Vimbor"));
        const int frame = GradientCaption::FrameWidth;
        QCOMPARE(m_caption->geometry(),
                 QRect(frame, frame, m_window->width() - 2 * frame, m_caption->height()));
        const QRect menu = m_window->menuBar()->geometry();
        QCOMPARE(menu.top(), m_caption->geometry().bottom() + 1);
        QCOMPARE(menu.left(), frame);
        QVERIFY(m_window->centralWidget()->geometry().top() > menu.bottom());
        QVERIFY(m_window->centralWidget()->geometry().bottom() < m_window->height() - frame);

        m_window->resize(900, 600);
        QCOMPARE(m_caption->width(), 900 - 2 * frame);
    }

    void activeGradient()
    {
        const QImage image = m_caption->grab().toImage();
        const QColor left = systemColor(ColorValue::WindowText);
        const QColor right = systemColor(ColorValue::GradientActiveCaption);
        QVERIFY(left != right);
        QCOMPARE(image.pixelColor(0, 0).rgb(), left.rgb());
        QCOMPARE(image.pixelColor(image.width() - 1, 0).rgb(), right.rgb());
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).rgb(), right.rgb());
        // 64 bands: the middle lies between the two ends.
        const QColor middle = image.pixelColor(image.width() / 2, 0);
        QVERIFY(middle != left && middle != right);
        QVERIFY(qAbs(middle.blue() - (left.blue() + right.blue()) / 2) <= 4);
        int bands = 1;
        for (int x = 1; x < image.width(); ++x)
            bands += image.pixelColor(x, 0) != image.pixelColor(x - 1, 0);
        QVERIFY2(bands <= GradientCaption::GradientSteps && bands > 32,
                 qPrintable(QString::number(bands)));
    }

    void textAndIcon()
    {
        const QImage image = m_caption->grab().toImage();
        const QRect icon(2, (image.height() - 16) / 2, 16, 16);
        QCOMPARE(image.pixelColor(icon.center()).rgb(), QColor(Qt::red).rgb());
        const QColor text = systemColor(ColorValue::CaptionText);
        bool textDrawn = false;
        for (int x = icon.right() + 1; x < image.width() / 2 && !textDrawn; ++x) {
            for (int y = 0; y < image.height() && !textDrawn; ++y)
                textDrawn = image.pixelColor(x, y).rgb() == text.rgb();
        }
        QVERIFY(textDrawn);
        QVERIFY(m_caption->font().bold());
    }

    void inactivePlain()
    {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(!m_window->isActiveWindow());
        const QImage image = m_caption->grab().toImage();
        const QColor fill = systemColor(ColorValue::GradientInactiveCaption);
        QCOMPARE(image.pixelColor(0, 0).rgb(), fill.rgb());
        QCOMPARE(image.pixelColor(image.width() / 2, 0).rgb(), fill.rgb());
        QCOMPARE(image.pixelColor(image.width() - 1, 0).rgb(), fill.rgb());
    }

    void closeButtonRunsTheClosePath()
    {
        button("closeButton")->click();
        QCOMPARE(m_window->closes, 1);
        QVERIFY(!m_window->isVisible());
    }

    void minimizeButton()
    {
        button("minimizeButton")->click();
        QTRY_VERIFY(m_window->isMinimized());
    }

    void maximizeButtonToggles()
    {
        QToolButton *maximize = button("maximizeButton");
        maximize->click();
        QTRY_VERIFY(m_window->isMaximized());
        QCOMPARE(maximize->toolTip(), QStringLiteral("Restore Down"));
        maximize->click();
        QTRY_VERIFY(!m_window->isMaximized());
        QCOMPARE(maximize->toolTip(), QStringLiteral("Maximize"));
    }

    void doubleClickToggles()
    {
        const QPoint onCaption(m_caption->width() / 2, m_caption->height() / 2);
        QTest::mouseDClick(m_caption, Qt::LeftButton, {}, onCaption);
        QTRY_VERIFY(m_window->isMaximized());
        QTest::mouseDClick(m_caption, Qt::LeftButton, {}, onCaption);
        QTRY_VERIFY(!m_window->isMaximized());
    }

    void draggingMoves()
    {
        const QPoint start = m_window->pos();
        const QPoint onCaption(m_caption->width() / 2, m_caption->height() / 2);
        QTest::mousePress(m_caption, Qt::LeftButton, {}, onCaption);
        QTest::mouseMove(m_caption, onCaption + QPoint(60, 40));
        QTest::mouseRelease(m_caption, Qt::LeftButton, {}, onCaption + QPoint(60, 40));
        QTRY_COMPARE(m_window->pos(), start + QPoint(60, 40));
    }

    void edgesShowResizeCursors_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("shape");
        QTest::newRow("left edge") << QPoint(1, 300) << int(Qt::SizeHorCursor);
        QTest::newRow("right edge") << QPoint(719, 300) << int(Qt::SizeHorCursor);
        QTest::newRow("bottom edge") << QPoint(300, 565) << int(Qt::SizeVerCursor);
        QTest::newRow("top edge") << QPoint(300, 0) << int(Qt::SizeVerCursor);
        QTest::newRow("bottom right") << QPoint(720, 565) << int(Qt::SizeFDiagCursor);
        QTest::newRow("top right") << QPoint(720, 1) << int(Qt::SizeBDiagCursor);
        QTest::newRow("top, near the left corner") << QPoint(10, 1) << int(Qt::SizeFDiagCursor);
        QTest::newRow("left, near the bottom corner") << QPoint(2, 556) << int(Qt::SizeBDiagCursor);
    }
    void edgesShowResizeCursors()
    {
        QFETCH(QPoint, at);
        QFETCH(int, shape);
        QWidget *edge = m_window->childAt(at);
        QVERIFY(edge && edge->objectName().endsWith(QLatin1String("Edge")));
        QTest::mouseMove(edge, edge->mapFrom(m_window.get(), at));
        QCOMPARE(int(edge->cursor().shape()), shape);
        // The window's contents keep their own cursor.
        QCOMPARE(int(m_window->centralWidget()->cursor().shape()), int(Qt::ArrowCursor));
    }

    void maximisedWindowHasNoEdges()
    {
        m_window->showMaximized();
        QTRY_VERIFY(m_window->isMaximized());
        QWidget *edge = m_caption->parentWidget()->findChild<QWidget *>(QStringLiteral("leftEdge"));
        QVERIFY(edge);
        QVERIFY(!edge->isVisible());
        m_window->showNormal();
        QTRY_VERIFY(edge->isVisible());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestGradientCaption test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gradientcaption.moc"

#include "DataSetFixture.h"
#include "common/ModalAnswer.h"
#include "widgets/Application.h"
#include "widgets/DBGrid.h"
#include "widgets/DataSource.h"
#include "widgets/GridHeader.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

using sorvane::ClientDataSet;
using sorvane::DataSource;
using sorvane::DBGrid;
using sorvane::GridHeader;
using State = ClientDataSet::State;

namespace {

/// A data source that remembers which rows the grid read.
class CountingSource : public DataSource {
public:
    using DataSource::DataSource;
    QVariant data(const QModelIndex &index, int role) const override
    {
        rowsRead.insert(index.row());
        return DataSource::data(index, role);
    }
    mutable QSet<int> rowsRead;
};

/// A window with the grid over Table1 and a line edit to take the focus elsewhere.
struct GridWindow {
    explicit GridWindow(sorvane::TableData data, DataSource *source = nullptr)
        : table(QStringLiteral("Table1")), source(source ? source : &ownSource)
    {
        auto *layout = new QVBoxLayout(&window);
        grid = new DBGrid;
        other = new QLineEdit;
        layout->addWidget(grid);
        layout->addWidget(other);
        this->source->setDataSet(&table);
        grid->setDataSource(this->source);
        table.openData(std::move(data));
        window.resize(420, 320);
        window.show();
        grid->setFocus();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }

    QPoint cellCenter(int row, int field) const
    {
        return grid->visualRect(source->index(row, field)).center();
    }
    void clickCell(int row, int field)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(row, field));
    }
    /// Keys go where the focus is: the grid, or its editor once typing opened it.
    static void type(const char *text)
    {
        for (; *text; ++text)
            QTest::keyClick(QApplication::focusWidget(), *text);
    }
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    ClientDataSet table;
    DataSource ownSource;
    DataSource *source;
    QWidget window;
    DBGrid *grid = nullptr;
    QLineEdit *other = nullptr;
};

/// Answers the next modal box with the button of that text; records the box's texts.
struct BoxAnswer {
    QString text, caption;
    QStringList buttons;
    explicit BoxAnswer(const QString &press)
    {
        sorvane::test::answerNextModal([this, press](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box) {
                modal->close();
                return;
            }
            text = box->text();
            caption = box->windowTitle();
            QAbstractButton *chosen = nullptr;
            for (QAbstractButton *button : box->buttons()) {
                buttons << button->text();
                if (button->text() == press)
                    chosen = button;
            }
            if (chosen)
                chosen->click();
            else
                box->reject();
        });
    }
};

int countPixels(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                ++count;
    return count;
}

} // namespace

class TestDBGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { sorvane::Application::setTitle(QStringLiteral("Sorvane")); }

    void currentRowFollowsTheDataSet()
    {
        GridWindow w(sorvane::test::generatedDictionary(500));
        QVERIFY(w.ready());
        QCOMPARE(w.grid->currentIndex().row(), 0);
        w.table.setRecNo(300);
        QCOMPARE(w.grid->currentIndex().row(), 299);
        const QRect cell = w.grid->visualRect(w.grid->currentIndex());
        QVERIFY(w.grid->viewport()->rect().contains(cell));
        w.table.first();
        QCOMPARE(w.grid->currentIndex().row(), 0);
    }

    void dataSetFollowsTheGrid()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.clickCell(2, 1);
        QCOMPARE(w.table.recNo(), 3);
        QCOMPARE(w.grid->selectedIndex(), 1);
        GridWindow::key(Qt::Key_Up);
        QCOMPARE(w.table.recNo(), 2);
        GridWindow::key(Qt::Key_Tab); // off the last column onto the next record
        QCOMPARE(w.table.recNo(), 3);
        QCOMPARE(w.grid->selectedIndex(), 0);
    }

    void typingEditsAndLeavingTheRowPosts()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        QSignalSpy posted(&w.table, &ClientDataSet::afterPost);
        auto *indicator = static_cast<GridHeader *>(w.grid->verticalHeader());
        QCOMPARE(indicator->marker(), GridHeader::Marker::Current);
        GridWindow::type("Zelt");
        QCOMPARE(w.table.state(), State::Edit);
        QCOMPARE(indicator->marker(), GridHeader::Marker::Editing);
        QCOMPARE(indicator->markerSection(), 0);
        QVERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        GridWindow::key(Qt::Key_Down);
        QCOMPARE(posted.count(), 1);
        QCOMPARE(w.table.state(), State::Browse);
        QCOMPARE(w.table.textAt(0, 0), QStringLiteral("Zelt"));
        QCOMPARE(w.table.recNo(), 2);
        QCOMPARE(indicator->marker(), GridHeader::Marker::Current);
        QCOMPARE(indicator->markerSection(), 1);
    }

    void anUnchangedEditIsCancelled()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        QSignalSpy posted(&w.table, &ClientDataSet::afterPost);
        GridWindow::key(Qt::Key_F2); // the editor opens, nothing is typed
        QCOMPARE(w.table.state(), State::Browse);
        w.table.edit();
        GridWindow::key(Qt::Key_Down);
        QCOMPARE(w.table.state(), State::Browse);
        QCOMPARE(w.table.recNo(), 2);
        QCOMPARE(posted.count(), 0);
    }

    void escapeRevertsTheCellThenCancelsTheRecord()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        GridWindow::type("Zelt");
        GridWindow::key(Qt::Key_Escape); // closes the editor without writing
        QCOMPARE(w.table.textAt(0, 0), QStringLiteral("Haus"));
        QCOMPARE(w.table.state(), State::Edit);
        QVERIFY(w.grid->hasFocus());
        GridWindow::key(Qt::Key_Escape);
        QCOMPARE(w.table.state(), State::Browse);
        QCOMPARE(w.table.textAt(0, 0), QStringLiteral("Haus"));
    }

    void downOnTheLastRecordAppends()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.table.last();
        GridWindow::key(Qt::Key_Down);
        QCOMPARE(w.table.state(), State::Insert);
        QCOMPARE(w.table.recordCount(), 5);
        QCOMPARE(w.table.recNo(), 5);
        QCOMPARE(w.grid->currentIndex().row(), 4);
        GridWindow::key(Qt::Key_Down); // an empty new record is not followed by another
        QCOMPARE(w.table.recordCount(), 5);
        auto *indicator = static_cast<GridHeader *>(w.grid->verticalHeader());
        QCOMPARE(indicator->marker(), GridHeader::Marker::Inserting);
        GridWindow::key(Qt::Key_Up); // leaving the empty new record drops it
        QCOMPARE(w.table.recordCount(), 4);
        QCOMPARE(w.table.state(), State::Browse);
    }

    void insertKeyInsertsBeforeTheCurrentRecord()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.table.setRecNo(2);
        GridWindow::key(Qt::Key_Insert);
        QCOMPARE(w.table.state(), State::Insert);
        QCOMPARE(w.table.recordCount(), 5);
        QCOMPARE(w.table.recNo(), 2);
        QCOMPARE(w.table.textAt(2, 0), QStringLiteral("Baum"));
        QCOMPARE(w.grid->currentIndex().row(), 1);
    }

    void ctrlDeleteAsksFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("OK") << "OK" << QStringList({"Haus", "Katze", "Apfel"});
        QTest::newRow("Cancel") << "Cancel" << QStringList({"Haus", "Baum", "Katze", "Apfel"});
    }
    void ctrlDeleteAsksFirst()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, remaining);
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.table.setRecNo(2);
        BoxAnswer box(answer);
        GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(box.text, QStringLiteral("Delete record?"));
        QCOMPARE(box.caption, QStringLiteral("Confirm"));
        QCOMPARE(box.buttons, QStringList({"OK", "Cancel"}));
        QCOMPARE(sorvane::test::germanColumn(w.table), remaining);
    }

    void aKeyViolationKeepsTheRecordInEditing()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.table.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
        w.table.setIndexName(QStringLiteral("indD"));
        w.table.first(); // Apfel, Baum, Haus, Katze
        QSignalSpy posted(&w.table, &ClientDataSet::afterPost);
        GridWindow::type("Baum");
        BoxAnswer box(QStringLiteral("OK"));
        w.clickCell(2, 1);
        QTRY_VERIFY(!box.caption.isEmpty());
        QCOMPARE(box.caption, QStringLiteral("Sorvane"));
        QCOMPARE(posted.count(), 0);
        QCOMPARE(w.table.state(), State::Edit);
        QCOMPARE(w.table.recNo(), 1);
        QCOMPARE(w.table.textAt(0, 0), QStringLiteral("Baum"));
        QCOMPARE(w.grid->currentIndex().row(), 0);
        auto *indicator = static_cast<GridHeader *>(w.grid->verticalHeader());
        QCOMPARE(indicator->markerSection(), 0);
        QCOMPARE(indicator->marker(), GridHeader::Marker::Editing);
    }

    void anUnchangedNewRecordIsDroppedWhenTheFocusLeaves_data()
    {
        QTest::addColumn<bool>("fill");
        QTest::newRow("unchanged: dropped") << false;
        QTest::newRow("filled: kept") << true;
    }
    void anUnchangedNewRecordIsDroppedWhenTheFocusLeaves()
    {
        QFETCH(bool, fill);
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        GridWindow::key(Qt::Key_Insert);
        if (fill)
            w.table.setValue(0, QStringLiteral("Tür"));
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QCOMPARE(w.table.state(), fill ? State::Insert : State::Browse);
        QCOMPARE(w.table.recordCount(), fill ? 5 : 4);
    }

    void aDialogOverTheGridDoesNotDropTheNewRecord()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        GridWindow::key(Qt::Key_Insert);
        BoxAnswer box(QStringLiteral("Cancel"));
        GridWindow::key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(box.text, QStringLiteral("Delete record?"));
        QCOMPARE(w.table.state(), State::Insert);
        QCOMPARE(w.table.recordCount(), 5);
    }

    void cellClick_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("expected");
        QTest::newRow("data cell") << "cell" << 1;
        QTest::newRow("title row") << "title" << 0;
        QTest::newRow("indicator column") << "indicator" << 0;
        QTest::newRow("keyboard move") << "keys" << 0;
        QTest::newRow("release inside the editor") << "editor" << 0;
        QTest::newRow("after resizing a column") << "resize" << 0;
    }
    void cellClick()
    {
        QFETCH(QString, gesture);
        QFETCH(int, expected);
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        QSignalSpy clicked(w.grid, &DBGrid::cellClicked);
        QHeaderView *titles = w.grid->horizontalHeader();
        if (gesture == "cell") {
            w.clickCell(1, 1);
        } else if (gesture == "title") {
            QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                              QPoint(titles->sectionPosition(1) + 10, titles->height() / 2));
        } else if (gesture == "indicator") {
            QHeaderView *indicator = w.grid->verticalHeader();
            QTest::mouseClick(indicator->viewport(), Qt::LeftButton, {},
                              QPoint(indicator->width() / 2, indicator->sectionPosition(2) + 3));
        } else if (gesture == "keys") {
            GridWindow::key(Qt::Key_Right);
            GridWindow::key(Qt::Key_Down);
            QCOMPARE(w.table.recNo(), 2);
        } else if (gesture == "editor") {
            w.grid->edit(w.source->index(0, 0));
            auto *editor = qobject_cast<QLineEdit *>(w.grid->indexWidget(w.source->index(0, 0)));
            QVERIFY(editor);
            QTest::mouseClick(editor, Qt::LeftButton, {}, editor->rect().center());
        } else if (gesture == "resize") {
            const int before = w.grid->columnWidth(0);
            const QPoint edge(titles->sectionPosition(0) + titles->sectionSize(0) - 1,
                              titles->height() / 2);
            const QPoint overCell = edge + QPoint(40, titles->height() + 10);
            QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, edge);
            QTest::mouseMove(titles->viewport(), edge + QPoint(20, 0));
            QTest::mouseMove(titles->viewport(), overCell);
            QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, overCell);
            QVERIFY(w.grid->columnWidth(0) > before); // the drag really resized
        }
        QCOMPARE(clicked.count(), expected);
        if (expected)
            QCOMPARE(clicked.first().first().toInt(), 1);
    }

    void cellClickTellsTheDisplayColumn()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.grid->horizontalHeader()->moveSection(1, 0); // Rus, Deu
        QSignalSpy clicked(w.grid, &DBGrid::cellClicked);
        w.clickCell(1, 0); // Deu, now shown second
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.first().first().toInt(), 1);
        QCOMPARE(w.grid->selectedIndex(), 1);
    }

    void draggingAColumnChangesTheDisplayOrder()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        QCOMPARE(w.grid->columnCount(), 2);
        QCOMPARE(w.grid->columnField(0), 0);
        QCOMPARE(w.grid->columnField(1), 1);
        QHeaderView *titles = w.grid->horizontalHeader();
        const int y = titles->height() / 2;
        const QPoint from(titles->sectionPosition(1) + titles->sectionSize(1) / 2, y);
        const QPoint to(titles->sectionPosition(0) + 5, y);
        QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 5; ++step)
            QTest::mouseMove(titles->viewport(), from + (to - from) * step / 5);
        QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, to);
        QCOMPARE(w.grid->columnField(0), 1);
        QCOMPARE(w.grid->columnField(1), 0);
        QCOMPARE(w.grid->columnField(2), -1);
    }

    void columnOrderAndWidthsSurviveANewOrderAndFilter()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        w.grid->horizontalHeader()->moveSection(1, 0);
        w.grid->setColumnWidth(0, 123); // display index 0: Rus
        w.table.setIndexFieldNames(QStringLiteral("Rus"));
        w.table.setFilter(QStringLiteral("Deu = 'Haus'"));
        w.table.setFiltered(true);
        QCOMPARE(w.grid->columnField(0), 1);
        QCOMPARE(w.grid->columnWidth(0), 123);
        QCOMPARE(w.grid->horizontalHeader()->sectionSize(1), 123);
    }

    void fixedColorAndTitleFontPaintTheHeader()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        const QColor green(0, 128, 0), red(255, 0, 0), blue(0, 0, 255);
        QFont title(QStringLiteral("Sans"));
        title.setPixelSize(19);
        title.setBold(true);
        w.grid->setFixedColor(green);
        w.grid->setTitleFont(title);
        w.grid->setTitleFontColor(red);
        QHeaderView *titles = w.grid->horizontalHeader();
        QVERIFY(titles->height() >= 19);
        const QRect deu(titles->sectionViewportPosition(0), 0, titles->sectionSize(0),
                        titles->height());
        QImage image = titles->grab().toImage();
        QCOMPARE(image.pixelColor(deu.right() - 5, 2), green);
        QVERIFY(countPixels(image, deu, red) > 10);

        w.grid->setFixedColor(blue);
        image = titles->grab().toImage();
        QCOMPARE(image.pixelColor(deu.right() - 5, 2), blue);
        QCOMPARE(countPixels(image, deu, green), 0);

        QHeaderView *indicator = w.grid->verticalHeader();
        const QImage marks = indicator->grab().toImage();
        const int h = indicator->sectionSize(0);
        QCOMPARE(marks.pixelColor(1, indicator->sectionViewportPosition(1) + 1), blue);
        QVERIFY(countPixels(marks,
                            QRect(0, indicator->sectionViewportPosition(0), indicator->width(), h),
                            red) > 0);
        QCOMPARE(countPixels(marks,
                             QRect(0, indicator->sectionViewportPosition(1), indicator->width(), h),
                             red),
                 0);
    }

    void colorAndFontColorPaintTheCells()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        const QColor yellow(255, 255, 0), magenta(255, 0, 255);
        w.grid->setColor(yellow);
        w.grid->setFontColor(magenta);
        const QRect cell = w.grid->visualRect(w.source->index(2, 0)); // not the current cell
        const QImage image = w.grid->viewport()->grab().toImage();
        QCOMPARE(image.pixelColor(cell.right() - 3, cell.center().y()), yellow);
        QVERIFY(countPixels(image, cell, magenta) > 0);
    }

    void fontSetsTheRowHeight()
    {
        GridWindow w(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(w.ready());
        QFont big = w.grid->font();
        big.setPixelSize(30);
        w.grid->setFont(big);
        QVERIFY(w.grid->rowHeight(0) >= 30);
        QCOMPARE(w.grid->rowHeight(0), w.grid->rowHeight(3));
    }

    void aMillionRecordsReadOnlyTheVisibleRows()
    {
        constexpr int kRecords = 1000000;
        auto counting = std::make_unique<CountingSource>();
        GridWindow w(sorvane::test::generatedDictionary(kRecords), counting.get());
        QVERIFY(w.ready());
        const int visible = w.grid->viewport()->height() / w.grid->rowHeight(0) + 2;
        w.grid->viewport()->repaint();
        QVERIFY(!counting->rowsRead.isEmpty());
        QVERIFY(counting->rowsRead.size() <= visible);
        QVERIFY(*std::max_element(counting->rowsRead.begin(), counting->rowsRead.end()) < visible);

        counting->rowsRead.clear();
        w.table.last();
        w.grid->viewport()->repaint();
        QVERIFY(!counting->rowsRead.isEmpty());
        QVERIFY(counting->rowsRead.size() <= visible);
        QVERIFY(*std::min_element(counting->rowsRead.begin(), counting->rowsRead.end()) >=
                kRecords - visible);

        counting->rowsRead.clear();
        GridWindow::key(Qt::Key_PageUp);
        w.grid->viewport()->repaint();
        QVERIFY(counting->rowsRead.size() <= visible * 2);
        QCOMPARE(w.table.recNo() - 1, w.grid->currentIndex().row());
        QVERIFY(w.table.recNo() < kRecords);
    }
};

int main(int argc, char **argv)
{
    sorvane::Application app(argc, argv);
    TestDBGrid test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dbgrid.moc"

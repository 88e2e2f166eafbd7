// The main window over large dictionaries (offscreen): opening an XML dictionary to the
// first painted grid, against the engine's own open of the same file, and paging down,
// which must cost the same for 10k and 1M records.
#include "app/Sorvane.h"
#include "common/BenchTable.h"
#include "common/DictionaryGenerator.h"
#include "dataset/ClientDataSet.h"
#include "dataset/packet/DataPacket.h"
#include "system/AtomicFile.h"
#include "system/ProgramFiles.h"
#include "widgets/Application.h"
#include "widgets/DBGrid.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstdio>

using namespace sorvane;
using namespace sorvane::bench;

namespace {

void pageDown(QWidget *grid)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QCoreApplication::sendEvent(grid, &press);
    grid->repaint();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Sorvane"));
    QTemporaryDir folder;
    ProgramFiles::setDirectory(folder.path());
    BenchTable table;
    std::printf("%-44s %10s %14s\n", "page down (ms per page, median of 100)", "records", "ms");
    for (const int records : {10000, 1000000}) {
        const QString path = folder.filePath(QStringLiteral("dict%1.xml").arg(records));
        AtomicFile::write(path,
                          packet::writePacket(DictionaryGenerator(std::uint32_t(records)).table(),
                                              packet::PacketForm::Xml));
        ClientDataSet engine(QStringLiteral("Table1"));
        engine.setFileName(path);
        const double engineOpen = medianMs(
            3, [&] { engine.open(); }, [&] { engine.close(); });
        engine.close();

        TSorvane window;
        window.show();
        QCoreApplication::processEvents();
        window.Table1->setFileName(path);
        const double windowOpen = medianMs(
            3,
            [&] {
                window.Table1->open();
                window.DBGrid1->repaint();
            },
            [&] { window.Table1->close(); });
        table.add(QStringLiteral("open XML in the window, painted (vs engine open)"), records,
                  windowOpen, engineOpen, 1.5);

        std::vector<double> steps;
        for (int page = 0; page < 100; ++page) {
            QElapsedTimer timer;
            timer.start();
            pageDown(window.DBGrid1);
            steps.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(steps.begin(), steps.end());
        std::printf("%-44s %10d %14.3f\n", "page down", records, steps[steps.size() / 2]);
        window.Table1->close();
    }
    table.print();
    return 0;
}

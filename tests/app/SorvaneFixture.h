#pragma once

#include "app/Sorvane.h"
#include "common/ModalAnswer.h"
#include "dataset/ClientDataSet.h"
#include "dataset/TableData.h"
#include "dataset/packet/DataPacket.h"
#include "system/AtomicFile.h"
#include "system/Clock.h"
#include "system/ProgramFiles.h"
#include "system/RegionalSettings.h"
#include "system/TextFile.h"
#include "widgets/Shell.h"
#include "widgets/StatusBar.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace sorvane::test {

using Pairs = QVector<QPair<QString, QString>>;

/// A Shell that only records what it was asked to do.
class RecordingShell : public Shell {
public:
    void open(const QString &address) override { opened << address; }
    void edit(const QString &filePath) override { edited << filePath; }
    QStringList opened;
    QStringList edited;
};

/// The program's files in a fresh directory, a fixed clock and German regional settings,
/// and helpers that write dictionaries and settings there.
class SorvaneFixture {
public:
    SorvaneFixture()
    {
        ProgramFiles::setDirectory(m_home.path());
        Clock::set([this] { return now; });
        RegionalSettings german;
        german.shortDatePattern = QStringLiteral("dd.mm.yyyy");
        german.dateSeparator = QStringLiteral(".");
        german.timeSeparator = QStringLiteral(":");
        german.hourLeadingZero = true;
        german.twelveHourClock = false;
        german.decimalSeparator = QStringLiteral(",");
        RegionalSettings::setCurrent(german);
        Shell::setInstance(&shell);
    }
    ~SorvaneFixture()
    {
        stopAnsweringModals();
        Shell::setInstance(nullptr);
        Clock::set({});
    }

    QString path(const QString &name) const { return QDir(m_home.path()).filePath(name); }
    QString settingsPath() const { return ProgramFiles::settingsPath(); }

    /// A Deu/Rus dictionary file in the form its name asks for.
    QString writeDictionary(const QString &name, const Pairs &pairs) const
    {
        TableData table({{QStringLiteral("Deu"), FieldType::String, 40},
                         {QStringLiteral("Rus"), FieldType::String, 40}});
        for (const auto &[deu, rus] : pairs) {
            const RecordId id = table.appendRecord();
            table.setText(id, 0, deu);
            table.setText(id, 1, rus);
        }
        const QString file = path(name);
        const QByteArray bytes = packet::writePacket(table, packet::formForFileName(file));
        if (!AtomicFile::write(file, bytes))
            qFatal("cannot write the fixture %s", qPrintable(file));
        return file;
    }

    void writeSettings(const QString &text) const { TextFile::write(settingsPath(), text); }

    QString readSettings() const
    {
        QFile file(settingsPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return TextFile::decode(file.readAll());
    }

    /// The window as the program entry makes it, shown.
    std::unique_ptr<TSorvane> start() const
    {
        auto window = std::make_unique<TSorvane>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the window was not shown");
        return window;
    }

    static QString panelText(const TSorvane &window, int panel)
    {
        return window.StatusBar1->panelText(panel);
    }

    QDateTime now = QDateTime(QDate(2026, 12, 11), QTime(10, 30, 15));
    RecordingShell shell;

private:
    QTemporaryDir m_home;
};

/// The text of the next modal message box, answered with OK (or its only button).
inline std::shared_ptr<QString> captureNextMessage(std::shared_ptr<QString> caption = nullptr)
{
    auto text = std::make_shared<QString>(QStringLiteral("<no box>"));
    answerNextModal([text, caption](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            *text = QStringLiteral("<not a message box: %1>").arg(modal->metaObject()->className());
            modal->close();
            return;
        }
        *text = box->text();
        if (caption)
            *caption = box->windowTitle();
        box->accept();
        box->done(QMessageBox::Ok);
    });
    return text;
}

/// The texts of the next `count` message boxes, each answered with OK as it appears.
inline std::shared_ptr<QStringList> captureMessages(int count)
{
    auto texts = std::make_shared<QStringList>();
    auto answerOne = std::make_shared<std::function<void()>>();
    *answerOne = [texts, count, answerOne] {
        answerNextModal([texts, count, answerOne](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            *texts << (box ? box->text() : QStringLiteral("<not a message box>"));
            modal->close();
            if (texts->size() < count)
                (*answerOne)();
            else
                *answerOne = nullptr; // ends the self-reference
        });
    };
    (*answerOne)();
    return texts;
}

} // namespace sorvane::test

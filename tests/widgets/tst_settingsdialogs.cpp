#include "common/ModalAnswer.h"
#include "widgets/ColorDialog.h"
#include "widgets/FontDialog.h"
#include "widgets/FontSubstitutes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace sorvane;
using sorvane::test::answerNextModal;

namespace {

void press(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttons"));
    QVERIFY(buttons);
    buttons->button(which)->click();
}

// Answers a colour dialog: records the colour it opened with, then picks `pick` and confirms,
// or cancels when `pick` is invalid.
void answerColor(QColor &openedWith, const QColor &pick)
{
    answerNextModal([&openedWith, pick](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        QVERIFY(dialog);
        openedWith = dialog->currentColor();
        if (pick.isValid()) {
            dialog->setCurrentColor(pick);
            dialog->accept();
        } else {
            dialog->setCurrentColor(Qt::green);
            dialog->reject();
        }
    });
}

template <class T> T *part(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no dialog part %s", name);
    return found;
}

/// What the font dialog shows when it opens.
struct Shown {
    QString typeface, style, size, charset;
    bool underline = false, strikeout = false;
};

Shown shownBy(QWidget *dialog)
{
    return {part<QComboBox>(dialog, "typeface")->currentText(),
            part<QComboBox>(dialog, "style")->currentText(),
            part<QComboBox>(dialog, "size")->currentText(),
            part<QComboBox>(dialog, "charset")->currentText(),
            part<QCheckBox>(dialog, "underline")->isChecked(),
            part<QCheckBox>(dialog, "strikeout")->isChecked()};
}

// A typeface that is surely listed and differs from the starting one.
const QString OtherTypeface = QStringLiteral("Liberation Mono");

void changeEverything(QWidget *dialog)
{
    part<QComboBox>(dialog, "typeface")->setCurrentText(OtherTypeface);
    part<QComboBox>(dialog, "style")->setCurrentText(QStringLiteral("Bold Italic"));
    part<QComboBox>(dialog, "size")->setCurrentText(QStringLiteral("14"));
    part<QCheckBox>(dialog, "underline")->setChecked(true);
    part<QCheckBox>(dialog, "strikeout")->setChecked(true);
    auto *charset = part<QComboBox>(dialog, "charset");
    charset->setCurrentIndex(charset->findText(QStringLiteral("RUSSIAN")));
}

GridFont startingFont()
{
    return GridFont::of(QStringLiteral("MS Sans Serif"), 11, -16777208, 1);
}

} // namespace

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FontSubstitutes::install();
        QVERIFY(QFontDatabase::families().contains(OtherTypeface));
    }

    void colorDialogStartsBlackAndRemembers()
    {
        ColorDialog dialog;
        QCOMPARE(dialog.color(), 0);
        QColor openedWith;
        answerColor(openedWith, QColor(255, 0, 0));
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(openedWith, QColor(Qt::black));
        QCOMPARE(dialog.color(), qint32(0x0000FF));

        answerColor(openedWith, QColor());
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(openedWith, QColor(255, 0, 0));
        QCOMPARE(dialog.color(), qint32(0x0000FF));

        // The green touched before cancelling is not proposed next time.
        answerColor(openedWith, QColor(0x12, 0x34, 0x56));
        dialog.exec();
        QCOMPARE(openedWith, QColor(255, 0, 0));
        QCOMPARE(dialog.color(), qint32(0x563412));
    }

    void colorDialogsRememberSeparately()
    {
        ColorDialog table, titles;
        QColor openedWith;
        answerColor(openedWith, QColor(Qt::white));
        table.exec();
        answerColor(openedWith, QColor(Qt::blue));
        titles.exec();
        QCOMPARE(openedWith, QColor(Qt::black));
        QCOMPARE(table.color(), qint32(16777215));
        QCOMPARE(titles.color(), qint32(0xFF0000));
    }

    void fontDialogStartingValue()
    {
        FontDialog dialog;
        QCOMPARE(dialog.value(), startingFont());
        QCOMPARE(dialog.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(dialog.font().pixelSize(), 11);
        QCOMPARE(dialog.fontColor(), -16777208);
        QCOMPARE(dialog.charset(), 1);

        Shown shown;
        answerNextModal([&](QWidget *modal) {
            shown = shownBy(modal);
            press(modal, QDialogButtonBox::Ok);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(shown.typeface, QStringLiteral("MS Sans Serif"));
        QCOMPARE(shown.style, QStringLiteral("Regular"));
        QCOMPARE(shown.size, QStringLiteral("8"));
        QCOMPARE(shown.charset, QStringLiteral("DEFAULT"));
        QVERIFY(!shown.underline && !shown.strikeout);
        // Confirming without changes keeps the window-text colour and the exact height.
        QCOMPARE(dialog.value(), startingFont());
    }

    void fontDialogTakesEveryChoice()
    {
        FontDialog dialog;
        QColor pickerOpenedWith;
        answerNextModal([&](QWidget *modal) {
            changeEverything(modal);
            answerColor(pickerOpenedWith, QColor(255, 255, 255));
            part<QPushButton>(modal, "color")->click();
            press(modal, QDialogButtonBox::Ok);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(pickerOpenedWith, QApplication::palette().color(QPalette::WindowText));
        const QFont font = dialog.font();
        QCOMPARE(font.family(), OtherTypeface);
        QVERIFY(font.bold() && font.italic() && font.underline() && font.strikeOut());
        QCOMPARE(font.pixelSize(), 19);
        QCOMPARE(dialog.fontColor(), qint32(16777215));
        QCOMPARE(dialog.charset(), 204);

        Shown shown;
        answerNextModal([&](QWidget *modal) {
            shown = shownBy(modal);
            press(modal, QDialogButtonBox::Cancel);
        });
        dialog.exec();
        QCOMPARE(shown.typeface, OtherTypeface);
        QCOMPARE(shown.style, QStringLiteral("Bold Italic"));
        QCOMPARE(shown.size, QStringLiteral("14"));
        QCOMPARE(shown.charset, QStringLiteral("RUSSIAN"));
        QVERIFY(shown.underline && shown.strikeout);
    }

    void fontDialogCancelKeepsTheValue()
    {
        FontDialog dialog;
        QColor ignored;
        answerNextModal([&](QWidget *modal) {
            changeEverything(modal);
            answerColor(ignored, QColor(0, 255, 0));
            part<QPushButton>(modal, "color")->click();
            press(modal, QDialogButtonBox::Cancel);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.value(), startingFont());

        Shown shown;
        answerNextModal([&](QWidget *modal) {
            shown = shownBy(modal);
            modal->close();
        });
        dialog.exec();
        QCOMPARE(shown.typeface, QStringLiteral("MS Sans Serif"));
        QCOMPARE(shown.size, QStringLiteral("8"));
        QVERIFY(!shown.underline);
        QCOMPARE(dialog.value(), startingFont());
    }

    void fontDialogsRememberSeparately()
    {
        FontDialog cells, titles;
        answerNextModal([](QWidget *modal) {
            changeEverything(modal);
            press(modal, QDialogButtonBox::Ok);
        });
        cells.exec();
        QCOMPARE(cells.font().family(), OtherTypeface);
        Shown shown;
        answerNextModal([&](QWidget *modal) {
            shown = shownBy(modal);
            press(modal, QDialogButtonBox::Ok);
        });
        titles.exec();
        QCOMPARE(shown.typeface, QStringLiteral("MS Sans Serif"));
        QCOMPARE(titles.value(), startingFont());
    }

    void fontDialogListsTheDesignedTypefaces()
    {
        FontDialog dialog;
        QStringList offered;
        answerNextModal([&](QWidget *modal) {
            auto *typeface = part<QComboBox>(modal, "typeface");
            for (int i = 0; i < typeface->count(); ++i)
                offered.append(typeface->itemText(i));
            press(modal, QDialogButtonBox::Cancel);
        });
        dialog.exec();
        for (const char *name : {"MS Sans Serif", "Courier New", "Bookman Old Style",
                                 "Arial Narrow", "Liberation Sans"})
            QVERIFY2(offered.contains(QLatin1String(name)), name);
        QCOMPARE(offered.count(QStringLiteral("MS Sans Serif")), 1);
    }

    void charsetCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("ANSI") << 0 << "ANSI";
        QTest::newRow("DEFAULT") << 1 << "DEFAULT";
        QTest::newRow("SYMBOL") << 2 << "SYMBOL";
        QTest::newRow("GREEK") << 161 << "GREEK";
        QTest::newRow("TURKISH") << 162 << "TURKISH";
        QTest::newRow("HEBREW") << 177 << "HEBREW";
        QTest::newRow("ARABIC") << 178 << "ARABIC";
        QTest::newRow("BALTIC") << 186 << "BALTIC";
        QTest::newRow("RUSSIAN") << 204 << "RUSSIAN";
        QTest::newRow("EASTEUROPE") << 238 << "EASTEUROPE";
    }
    void charsetCodes()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QVERIFY(FontDialog::charsets().contains(qMakePair(code, name)));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestSettingsDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsdialogs.moc"

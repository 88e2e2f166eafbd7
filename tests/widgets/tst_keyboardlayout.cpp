#include "widgets/KeyboardLayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>

using sorvane::KeyboardLayout;

namespace {

// The key a desktop reports for a typed character: its upper-case code.
int keyFor(QChar typed)
{
    return typed.toUpper().unicode();
}

// Types one character as the desktop would deliver it: press and release through the
// application, so that application event filters see both.
void type(QWidget *target, QChar typed, quint32 scanCode, Qt::KeyboardModifiers modifiers)
{
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, keyFor(typed), modifiers, scanCode, 0, 0, QString(typed));
        QApplication::sendEvent(target, &event);
    }
}

} // namespace

class TestKeyboardLayout : public QObject {
    Q_OBJECT

private slots:
    void activation()
    {
        KeyboardLayout layout;
        QCOMPARE(layout.active(), QStringLiteral("00000409"));
        layout.activate(QStringLiteral("00000419"));
        QCOMPARE(layout.active(), QStringLiteral("00000419"));
        layout.activate(QStringLiteral("00000407"));
        layout.activate(QString());
        QCOMPARE(layout.active(), QStringLiteral("00000419"));
        layout.activate(KeyboardLayout::English);
        QCOMPARE(layout.active(), QStringLiteral("00000409"));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("layoutId");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<uint>("scanCode");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("expected");

        const QString ru = KeyboardLayout::Russian;
        const QString en = KeyboardLayout::English;
        // A US desktop with Russian active.
        QTest::newRow("q") << ru << "q" << 0u << false << "й";
        QTest::newRow("Q") << ru << "Q" << 0u << true << "Й";
        QTest::newRow("a") << ru << "a" << 0u << false << "ф";
        QTest::newRow("m") << ru << "m" << 0u << false << "ь";
        QTest::newRow("z") << ru << "z" << 0u << false << "я";
        QTest::newRow("[") << ru << "[" << 0u << false << "х";
        QTest::newRow("{") << ru << "{" << 0u << true << "Х";
        QTest::newRow("]") << ru << "]" << 0u << false << "ъ";
        QTest::newRow("}") << ru << "}" << 0u << true << "Ъ";
        QTest::newRow(";") << ru << ";" << 0u << false << "ж";
        QTest::newRow(":") << ru << ":" << 0u << true << "Ж";
        QTest::newRow("'") << ru << "'" << 0u << false << "э";
        QTest::newRow("\"") << ru << "\"" << 0u << true << "Э";
        QTest::newRow(",") << ru << "," << 0u << false << "б";
        QTest::newRow("<") << ru << "<" << 0u << true << "Б";
        QTest::newRow(".") << ru << "." << 0u << false << "ю";
        QTest::newRow(">") << ru << ">" << 0u << true << "Ю";
        QTest::newRow("`") << ru << "`" << 0u << false << "ё";
        QTest::newRow("~") << ru << "~" << 0u << true << "Ё";
        // The replacement is final: "." is not turned into "ю" on its way.
        QTest::newRow("/") << ru << "/" << 0u << false << ".";
        QTest::newRow("?") << ru << "?" << 0u << true << ",";
        QTest::newRow("@") << ru << "@" << 0u << true << "\"";
        QTest::newRow("#") << ru << "#" << 0u << true << "№";
        QTest::newRow("digit stays") << ru << "5" << 0u << false << "5";
        QTest::newRow("Cyrillic stays") << ru << "ж" << 0u << false << "ж";
        QTest::newRow("blank stays") << ru << " " << 0u << false << " ";
        // A Russian desktop with English active.
        QTest::newRow("й") << en << "й" << 0u << false << "q";
        QTest::newRow("Й") << en << "Й" << 0u << true << "Q";
        QTest::newRow("х") << en << "х" << 0u << false << "[";
        QTest::newRow("Х") << en << "Х" << 0u << true << "{";
        QTest::newRow("ъ") << en << "ъ" << 0u << false << "]";
        QTest::newRow("ж") << en << "ж" << 0u << false << ";";
        QTest::newRow("Ж") << en << "Ж" << 0u << true << ":";
        QTest::newRow("э") << en << "э" << 0u << false << "'";
        QTest::newRow("Э") << en << "Э" << 0u << true << "\"";
        QTest::newRow("б") << en << "б" << 0u << false << ",";
        QTest::newRow("Б") << en << "Б" << 0u << true << "<";
        QTest::newRow("ю") << en << "ю" << 0u << false << ".";
        QTest::newRow("Ю") << en << "Ю" << 0u << true << ">";
        QTest::newRow("ё") << en << "ё" << 0u << false << "`";
        QTest::newRow("Ё") << en << "Ё" << 0u << true << "~";
        QTest::newRow("я") << en << "я" << 0u << false << "z";
        QTest::newRow("№") << en << "№" << 0u << true << "#";
        // Without the key's position a Latin desktop's own punctuation must stay.
        QTest::newRow("US .") << en << "." << 0u << false << ".";
        QTest::newRow("US \"") << en << "\"" << 0u << true << "\"";
        QTest::newRow("US q") << en << "q" << 0u << false << "q";
        QTest::newRow("umlaut stays") << en << "ü" << 0u << false << "ü";
        // With the key's position, the position decides whatever the desktop typed.
        QTest::newRow("German z at Y, Russian") << ru << "z" << 29u << false << "н";
        QTest::newRow("German y at Z, English") << en << "y" << 52u << false << "z";
        QTest::newRow("Russian . at /, English") << en << "." << 61u << false << "/";
        QTest::newRow("Russian , at /, English") << en << "," << 61u << true << "?";
        QTest::newRow("US / at /, Russian") << ru << "/" << 61u << false << ".";
        QTest::newRow("Caps Lock Q, Russian") << ru << "Q" << 24u << false << "Й";
        QTest::newRow("Shift 2, Russian") << ru << "@" << 11u << true << "\"";
        QTest::newRow("Shift 2 on Russian desktop, English") << en << "\"" << 11u << true << "@";
        QTest::newRow("keypad decimal, Russian") << ru << "," << 91u << false << ",";
    }
    void typing()
    {
        QFETCH(QString, layoutId);
        QFETCH(QString, typed);
        QFETCH(uint, scanCode);
        QFETCH(bool, shift);
        QFETCH(QString, expected);
        KeyboardLayout layout;
        layout.activate(layoutId);
        QLineEdit edit;
        type(&edit, typed.front(), scanCode, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(edit.text(), expected);
    }

    void typingThroughTheTestKeyboard()
    {
        KeyboardLayout layout;
        layout.activate(KeyboardLayout::Russian);
        QLineEdit edit;
        QTest::keyClicks(&edit, QStringLiteral("ghbdtn vbh!"));
        QCOMPARE(edit.text(), QStringLiteral("привет мир!"));
        QTest::keyClick(&edit, 'Z', Qt::ShiftModifier);
        QCOMPARE(edit.text(), QStringLiteral("привет мир!Я"));
        // Shortcuts reach the widget with their own letter: Ctrl+A selects all.
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit.selectedText(), edit.text());
    }

    void shortcutsAndKeypadPass_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl") << int(Qt::ControlModifier);
        QTest::newRow("Alt") << int(Qt::AltModifier);
        QTest::newRow("Meta") << int(Qt::MetaModifier);
        QTest::newRow("Ctrl+Shift") << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("keypad") << int(Qt::KeypadModifier);
        QTest::newRow("AltGr") << int(Qt::GroupSwitchModifier);
    }
    void shortcutsAndKeypadPass()
    {
        QFETCH(int, modifiers);
        KeyboardLayout layout;
        layout.activate(KeyboardLayout::Russian);
        const auto held = Qt::KeyboardModifiers(modifiers);
        QCOMPARE(layout.translate(u'a', 0, held), QChar(u'a'));
        QCOMPARE(layout.translate(u'.', 60, held), QChar(u'.'));
        layout.activate(KeyboardLayout::English);
        QCOMPARE(layout.translate(u'ф', 0, held), QChar(u'ф'));
    }

    void eventsAreLeftAloneAfterTheLayoutIsGone()
    {
        QLineEdit edit;
        {
            KeyboardLayout layout;
            layout.activate(KeyboardLayout::Russian);
        }
        type(&edit, u'q', 0, Qt::NoModifier);
        QCOMPARE(edit.text(), QStringLiteral("q"));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestKeyboardLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keyboardlayout.moc"

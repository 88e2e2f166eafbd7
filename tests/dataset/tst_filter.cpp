#include "dataset/DataSetError.h"
#include "dataset/TableData.h"
#include "dataset/filter/FilterCondition.h"
#include "dataset/filter/Lexer.h"

#include <QDate>
#include <QTest>

using namespace sorvane;
using namespace sorvane::filter;

using Ids = QList<RecordId>;

namespace {

enum Column { Deu, Rus, Nr, Tag };

struct Pair {
    const char16_t *deu;
    const char16_t *rus;
};

// Deu / Rus pairs with a number and a date; record 8 has no Deu, record 10 no Rus.
const Pair kPairs[] = {
    {u"Dorf", u"деревня"}, {u"Haus", u"дом"},     {u"haus", u"домик"}, {u"Baum", u"дерево"},
    {u"Äpfel", u"яблоки"}, {u"Straße", u"улица"}, {u"l'eau", u"вода"}, {u"*", u"звёздочка"},
    {nullptr, u"пусто"},   {u"Abend", u"вечер"},  {u"Zug", nullptr},   {u"arm", u"бедный"},
};
constexpr RecordId kRecords = RecordId(std::size(kPairs));

TableData dictionary()
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 50},
                     {QStringLiteral("Rus"), FieldType::String, 50},
                     {QStringLiteral("Nr"), FieldType::Integer, 0},
                     {QStringLiteral("Tag"), FieldType::Date, 0}});
    for (RecordId i = 0; i < kRecords; ++i) {
        const RecordId id = table.appendRecord();
        if (kPairs[i].deu)
            table.setText(id, Deu, QString::fromUtf16(kPairs[i].deu));
        if (kPairs[i].rus)
            table.setText(id, Rus, QString::fromUtf16(kPairs[i].rus));
        if (!table.setValue(id, Nr, qint64(i + 1)) ||
            !table.setValue(id, Tag, QDate(2024, 1, 15).addDays(i * 10)))
            qFatal("fixture");
    }
    return table;
}

Ids kept(const QString &text, const FilterOptions &options = {})
{
    const TableData table = dictionary();
    const auto condition = compileFilter(text, table, options, QStringLiteral("Table1"));
    Ids ids;
    for (RecordId id = 0; id < table.idCount(); ++id) {
        if (!condition || condition->matches(table, id))
            ids.append(id);
    }
    return ids;
}

Ids allBut(Ids excluded)
{
    Ids ids;
    for (RecordId id = 0; id < kRecords; ++id) {
        if (!excluded.contains(id))
            ids.append(id);
    }
    return ids;
}

QString rejection(const QString &text, const FilterOptions &options = {})
{
    const TableData table = dictionary();
    try {
        compileFilter(text, table, options, QStringLiteral("Table1"));
    } catch (const Error &error) {
        return error.message();
    }
    return QStringLiteral("(accepted)");
}

const char *kindName(TokenKind kind)
{
    switch (kind) {
    case TokenKind::End:
        return "End";
    case TokenKind::Word:
        return "Word";
    case TokenKind::BracketedName:
        return "Name";
    case TokenKind::Text:
        return "Text";
    case TokenKind::Number:
        return "Number";
    case TokenKind::IsNull:
        return "IsNull";
    case TokenKind::IsNotNull:
        return "IsNotNull";
    case TokenKind::Like:
        return "Like";
    case TokenKind::In:
        return "In";
    case TokenKind::Equal:
        return "=";
    case TokenKind::NotEqual:
        return "<>";
    case TokenKind::Less:
        return "<";
    case TokenKind::Greater:
        return ">";
    case TokenKind::LessEqual:
        return "<=";
    case TokenKind::GreaterEqual:
        return ">=";
    case TokenKind::Plus:
        return "+";
    case TokenKind::Minus:
        return "-";
    case TokenKind::Star:
        return "*";
    case TokenKind::Slash:
        return "/";
    case TokenKind::LeftParen:
        return "(";
    case TokenKind::RightParen:
        return ")";
    case TokenKind::Comma:
        return ",";
    }
    return "?";
}

// The tokens of a text as "Kind:value" separated by blanks, for the token table.
QString tokens(const QString &text, QChar decimalSeparator)
{
    Lexer lexer(text, decimalSeparator);
    QStringList parts;
    for (;;) {
        const Token token = lexer.next();
        QString part = QLatin1String(kindName(token.kind));
        if (!token.value.isEmpty() && token.kind != TokenKind::Like && token.kind != TokenKind::In)
            part += u':' + token.value;
        parts.append(part);
        if (token.kind == TokenKind::End)
            return parts.join(u' ');
    }
}

} // namespace

class TestFilter : public QObject {
    Q_OBJECT

private slots:
    void keepsRecords_data();
    void keepsRecords();
    void rejects_data();
    void rejects();
    void tokens_data();
    void tokens();
    void emptyTextIsNoCondition();
    void optionsSwitchCaseAndPartialOff();
    void decimalComma();
    void onlyFirst255CharactersOfLiteralCount();
    void deepNestingIsBoundedNotOverflowed();
};

void TestFilter::keepsRecords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Ids>("expected");

    // The help texts and the letter tabs.
    QTest::newRow("equal ignores case") << "Deu='dorf'" << Ids{0};
    QTest::newRow("lower-case keywords, names") << "deu = 'HAUS' or rus = 'вода'" << Ids{1, 2, 6};
    QTest::newRow("not equal") << "Rus<>'город'" << allBut({10});
    QTest::newRow("begins with") << "Deu='b*'" << Ids{3};
    QTest::newRow("letter tab A") << "Deu = 'A*'" << Ids{9, 11};
    QTest::newRow("does not begin") << "Deu <> 'h*'" << allBut({1, 2, 8});
    QTest::newRow("literal on the left") << "'DORF' = Deu" << Ids{0};
    QTest::newRow("umlaut folds") << "Deu = 'ä*'" << Ids{4};
    QTest::newRow("umlaut whole") << "Deu = 'ÄPFEL'" << Ids{4};
    QTest::newRow("sharp s is no ss") << "Deu = 'STRASSE'" << Ids{};
    QTest::newRow("sharp s") << "Deu = 'STRAßE'" << Ids{5};
    QTest::newRow("Cyrillic equal") << "Rus = 'ДОМ'" << Ids{1};
    QTest::newRow("Cyrillic begins") << "Rus = 'Дом*'" << Ids{1, 2};
    QTest::newRow("yo folds") << "Rus = 'ЗВЁЗДОЧКА'" << Ids{7};
    QTest::newRow("lone star is the star") << "Deu = '*'" << Ids{7};
    QTest::newRow("ordering keeps the star") << "Deu >= 'Zug*'" << Ids{4};
    QTest::newRow("number is text of text field") << "Deu = 5" << Ids{};
    QTest::newRow("empty literal counts exactly") << "Deu = ''" << Ids{};

    // The quote rule.
    QTest::newRow("apostrophe") << "Deu = 'l'eau'" << Ids{6};
    QTest::newRow("doubled quote") << "Deu = 'l''eau'" << Ids{6};
    QTest::newRow("apostrophe before or") << "Deu = 'l'eau' or Rus = 'дом'" << Ids{1, 6};
    QTest::newRow("two comparisons") << "Deu = 'a' or Rus = 'b'" << Ids{};
    QTest::newRow("quote before and") << "Deu='Dorf' AND Rus='деревня'" << Ids{0};

    // NULL.
    QTest::newRow("is null") << "Deu IS NULL" << Ids{8};
    QTest::newRow("is not null") << "Deu is not null" << allBut({8});
    QTest::newRow("= NULL") << "Deu = NULL" << Ids{8};
    QTest::newRow("NULL <>") << "NULL <> Rus" << allBut({10});
    QTest::newRow("null never compares") << "NOT Deu = 'Dorf'" << allBut({0, 8});

    // Logic and grouping.
    QTest::newRow("and") << "Deu = 'h*' AND Rus = 'дом'" << Ids{1};
    QTest::newRow("or chain") << "Deu='Dorf' OR Deu='Baum' OR Deu='Zug'" << Ids{0, 3, 10};
    QTest::newRow("and binds tighter")
        << "Deu = 'Dorf' OR Deu = 'h*' AND Rus = 'домик'" << Ids{0, 2};
    QTest::newRow("parentheses") << "(Deu = 'Dorf' OR Deu = 'h*') AND Rus = 'д*'" << Ids{0, 1, 2};
    QTest::newRow("not") << "NOT (Deu = 'h*' OR Deu IS NULL)" << allBut({1, 2, 8});
    QTest::newRow("bracketed name") << "[deu] = 'Dorf'" << Ids{0};
    QTest::newRow("blanks and comment") << "/* Dorf */\tDeu\r\n=\n'Dorf'" << Ids{0};
    QTest::newRow("comment before each token") << "Deu /* a */ = /* b */ 'Dorf'" << Ids{0};

    // IN and LIKE count case outside field-with-literal.
    QTest::newRow("in counts case") << "Deu IN ('Dorf', 'haus', 'baum')" << Ids{0, 2};
    QTest::newRow("like percent") << "Deu LIKE 'H%'" << Ids{1, 2};
    QTest::newRow("like underscore") << "Deu LIKE '_au_'" << Ids{1, 2, 3};
    QTest::newRow("like trailing star") << "Rus LIKE 'ДЕ*'" << Ids{0, 3};
    QTest::newRow("like on function counts case") << "UPPER(Deu) LIKE 'h%'" << Ids{};

    // Functions, numbers, dates, arithmetic.
    QTest::newRow("upper") << "UPPER(Deu) = 'HAUS'" << Ids{1, 2};
    QTest::newRow("function result counts case") << "LOWER(Deu) = 'Haus'" << Ids{};
    QTest::newRow("substring") << "SUBSTRING(Deu, 2, 3) = 'aus'" << Ids{1, 2};
    QTest::newRow("trim constant holds everywhere") << "TRIM('  x ') = 'x'" << allBut({});
    QTest::newRow("joined texts") << "Deu + Rus = 'Dorfдеревня'" << Ids{0};
    QTest::newRow("integer field") << "Nr = 2" << Ids{1};
    QTest::newRow("literal takes field type") << "Nr = '2'" << Ids{1};
    QTest::newRow("minus after a name") << "Nr-1 = 0" << Ids{0};
    QTest::newRow("negative number") << "Nr > -1 AND Nr < 3" << Ids{0, 1};
    QTest::newRow("arithmetic") << "Nr * 2 + 1 = 7" << Ids{2};
    QTest::newRow("division by zero is null") << "Nr / 0 = 1" << Ids{};
    QTest::newRow("number in") << "Nr IN (1, 12)" << Ids{0, 11};
    QTest::newRow("date literal") << "Tag = '2024-01-25'" << Ids{1};
    QTest::newRow("regional date literal") << "Tag = '25.01.2024'" << Ids{1};
    QTest::newRow("date part") << "MONTH(Tag) = 2" << Ids{2, 3, 4};
    QTest::newRow("date moves by days") << "Tag + 10 = DATE('2024-02-04')" << Ids{1};
    QTest::newRow("dates subtract to days") << "Tag - DATE('2024-01-15') = 20" << Ids{2};
    QTest::newRow("getdate") << "GETDATE() > Tag" << allBut({});
    QTest::newRow("function name as field") << "Deu = 'Dorf' OR Tag IS NULL" << Ids{0};
    QTest::newRow("comparing two conditions")
        << "(Deu = 'Dorf') = (Rus = 'деревня') AND Nr < 3" << Ids{0, 1};
}

void TestFilter::keepsRecords()
{
    QFETCH(QString, text);
    QFETCH(Ids, expected);
    QCOMPARE(kept(text), expected);
}

void TestFilter::rejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const QString invalid = QStringLiteral("Invalid filter expression character: '%1'");
    for (const char c : QByteArray("\"!#$%&.:;?@\\]^`{|}~")) {
        QTest::addRow("character %c", c) << QStringLiteral("Nr = 1 %1 1").arg(c) << invalid.arg(c);
    }
    QTest::newRow("after a complete comparison") << "Deu = 'Dorf' !" << invalid.arg('!');
    QTest::newRow("code 255") << "я = 'x'" << invalid.arg(QStringLiteral("я"));
    QTest::newRow("code 128") << "Ђ = 'x'" << invalid.arg(QStringLiteral("Ђ"));
    QTest::newRow("code 127") << "Deu = \x7f" << invalid.arg(QChar(127));
    QTest::newRow("star in comment") << "/* a*b */ Deu = 'x'" << invalid.arg('*');
    QTest::newRow("unclosed comment") << "Deu = /* 'x'" << invalid.arg('/');
    QTest::newRow("unterminated literal") << "Deu = 'Dorf"
                                          << "Unterminated string constant";
    QTest::newRow("unterminated name") << "[Deu = 'x'"
                                       << "Unterminated field name";
    QTest::newRow("is literal") << "Deu IS 'x'"
                                << "Invalid use of keyword";
    QTest::newRow("is not literal") << "Deu IS NOT 'x'"
                                    << "Invalid use of keyword";
    QTest::newRow("is at end") << "Deu IS"
                               << "Invalid use of keyword";
    QTest::newRow("comment is no blank after is") << "Deu IS /* c */ NULL"
                                                  << "Invalid use of keyword";
    QTest::newRow("ends with operator") << "Deu ="
                                        << "Expression expected but nothing found";
    QTest::newRow("ends with and") << "Deu = 'x' and"
                                   << "Expression expected but nothing found";
    QTest::newRow("parenthesis too early") << "Deu = )"
                                           << "Expression expected but ')' found";
    QTest::newRow("operator too early") << "= 'x'"
                                        << "Expression expected but '=' found";
    QTest::newRow("like at operand") << "Deu = LIKE"
                                     << "Expression expected but 'LIKE' found";
    QTest::newRow("unclosed parenthesis") << "(Deu = 'x'"
                                          << "')' expected but nothing found";
    QTest::newRow("parenthesis closed by name") << "(Deu = 'x' Rus"
                                                << "')' expected but 'Rus' found";
    QTest::newRow("in list trailing comma") << "Deu IN ('a',"
                                            << "')' expected but nothing found";
    QTest::newRow("in without parenthesis") << "Deu IN 'a'"
                                            << "'(' expected but ''a'' found";
    QTest::newRow("empty in list") << "Deu IN ()"
                                   << "IN predicate list may not be empty";
    QTest::newRow("in list element") << "Deu IN ('a' 'b')"
                                     << "')' or ',' expected but ''b'' found";
    QTest::newRow("in list at end") << "Deu IN ('a'"
                                    << "')' or ',' expected but nothing found";
    QTest::newRow("arguments at end") << "UPPER(Deu"
                                      << "')' or ',' expected but nothing found";
    QTest::newRow("unknown field") << "Xyz = 'a'"
                                   << "Table1: Field 'Xyz' not found";
    QTest::newRow("unknown bracketed") << "[Big Field] = 1"
                                       << "Table1: Field 'Big Field' not found";
    QTest::newRow("and where an operand is") << "Deu = and"
                                             << "Table1: Field 'and' not found";
    QTest::newRow("word after code 129-254") << "ю = 'x'"
                                             << "Table1: Field 'ю' not found";
    QTest::newRow("text field plus number") << "Deu + 1 = 'a'"
                                            << "Type mismatch in expression";
    QTest::newRow("no argument") << "UPPER() = 'A'"
                                 << "Type mismatch in expression";
    QTest::newRow("literal not of field type") << "Nr = 'abc'"
                                               << "Type mismatch in expression";
    QTest::newRow("number run is one token") << "Nr = 3-1"
                                             << "Type mismatch in expression";
    QTest::newRow("text against number") << "UPPER(Deu) = 5"
                                         << "Type mismatch in expression";
    QTest::newRow("mixing aggregate")
        << "COUNT(*) > Nr"
        << "Operation cannot mix aggregate value with record-varying value";
    QTest::newRow("further word") << "Deu = 'x' Rus"
                                  << "Filter expression incorrectly terminated";
    QTest::newRow("second comparison") << "Deu = Rus = Deu"
                                       << "Filter expression incorrectly terminated";
    QTest::newRow("count all") << "COUNT(*) > 1"
                               << "Aggregate expressions not allowed in filters";
    QTest::newRow("sum") << "SUM(Nr) > 1"
                         << "Aggregate expressions not allowed in filters";
    QTest::newRow("bare field") << "Deu"
                                << "Incorrectly formed filter expression";
    QTest::newRow("bare literal") << "'abc'"
                                  << "Incorrectly formed filter expression";
    QTest::newRow("bare sum") << "Nr + 1"
                              << "Incorrectly formed filter expression";
    QTest::newRow("field in and") << "Deu AND Rus = 'x'"
                                  << "Incorrectly formed filter expression";
    QTest::newRow("blanks only") << "   "
                                 << "Expression expected but nothing found";
    QTest::newRow("like null") << "Deu LIKE NULL"
                               << "NULL only allowed with '=' and '<>'";
    QTest::newRow("ordering with null") << "Deu < NULL"
                                        << "NULL only allowed with '=' and '<>'";

    // After the whole text, the checks run in their order.
    QTest::newRow("terminated before aggregate") << "COUNT(*) > 1 Deu"
                                                 << "Filter expression incorrectly terminated";
    QTest::newRow("aggregate before formed") << "COUNT(*)"
                                             << "Aggregate expressions not allowed in filters";
    QTest::newRow("aggregate before null") << "COUNT(*) LIKE NULL"
                                           << "Aggregate expressions not allowed in filters";
    QTest::newRow("formed before null") << "Deu LIKE NULL AND Rus"
                                        << "Incorrectly formed filter expression";
    QTest::newRow("first fault from the left") << "Xyz = 'a' !"
                                               << "Table1: Field 'Xyz' not found";
}

void TestFilter::rejects()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(rejection(text), message);
}

void TestFilter::tokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("decimalSeparator");
    QTest::addColumn<QString>("expected");

    const QChar dot = u'.';
    QTest::newRow("operators") << "= <> < > <= >= + * / ( ) ," << dot
                               << "= <> < > <= >= + * / ( ) , End";
    QTest::newRow("keywords") << "LIKE in Is null x iS NoT nUlL" << dot
                              << "Like In IsNull Word:x IsNotNull End";
    QTest::newRow("is with blanks") << "IS\t\r\nNOT  NULL" << dot << "IsNotNull End";
    QTest::newRow("word characters") << "a_1.b[2]c" << dot << "Word:a_1.b[2]c End";
    QTest::newRow("letters beyond ASCII start words only")
        << "Äpfel дом" << dot << "Word:Äpfel Word:д Word:о Word:м End";
    QTest::newRow("bracketed name") << "[a b ']" << dot << "Name:a b ' End";
    QTest::newRow("minus after operand") << "Nr-1" << dot << "Word:Nr - Number:1 End";
    QTest::newRow("minus where operand expected") << "(-1.5e-3)" << dot << "( Number:-1.5e-3 ) End";
    QTest::newRow("number run") << "1+2E+5" << dot << "Number:1+2E+5 End";
    QTest::newRow("decimal comma") << "(1, 2,5)" << QChar(u',') << "( Number:1 , Number:2,5 ) End";
    QTest::newRow("only one comment") << "/* c */ /* d */ x" << dot << "/ * Word:d * / Word:x End";
    QTest::newRow("apostrophe before plain word")
        << "x = 'a' Rus = 'b'" << dot << "Word:x = Text:a' Rus = 'b End";
    QTest::newRow("keyword closes")
        << "x = 'a' AND y = 'b'" << dot << "Word:x = Text:a Word:AND Word:y = Text:b End";
    QTest::newRow("no later quote closes") << "x = 'it's" << dot << "Word:x = Text:it Word:s End";
    QTest::newRow("plain word after parenthesis")
        << "x = 'a' (b) 'c'" << dot << "Word:x = Text:a' (b) 'c End";
    QTest::newRow("close parenthesis then keyword")
        << "(x = 'a') or (y = 'b')" << dot << "( Word:x = Text:a ) Word:or ( Word:y = Text:b ) End";
    QTest::newRow("dot in word closes")
        << "x = 'a' b.c 'd'" << dot << "Word:x = Text:a Word:b.c Text:d End";
    QTest::newRow("digit closes") << "x = 'a' 1 'd'" << dot
                                  << "Word:x = Text:a Number:1 Text:d End";
    QTest::newRow("quoted section closes")
        << "x IN ('a', 'b')" << dot << "Word:x In ( Text:a , Text:b ) End";
    QTest::newRow("group by closes")
        << "x = 'a' group by 'b'" << dot << "Word:x = Text:a Word:group Word:by Text:b End";
    QTest::newRow("group alone is plain")
        << "x = 'a' group 'b'" << dot << "Word:x = Text:a' group 'b End";
    QTest::newRow("for update closes")
        << "x = 'a' FOR UPDATE 'b'" << dot << "Word:x = Text:a Word:FOR Word:UPDATE Text:b End";
    QTest::newRow("comment opener closes")
        << "x = 'a' //b 'c'" << dot << "Word:x = Text:a / / Word:b Text:c End";
}

void TestFilter::tokens()
{
    QFETCH(QString, text);
    QFETCH(QChar, decimalSeparator);
    QFETCH(QString, expected);
    QCOMPARE(::tokens(text, decimalSeparator), expected);
}

void TestFilter::emptyTextIsNoCondition()
{
    const TableData table = dictionary();
    QVERIFY(!compileFilter(QString(), table, {}, QStringLiteral("Table1")));
}

void TestFilter::optionsSwitchCaseAndPartialOff()
{
    FilterOptions exact;
    exact.caseInsensitive = false;
    QCOMPARE(kept(QStringLiteral("Deu = 'h*'"), exact), Ids{2});
    QCOMPARE(kept(QStringLiteral("Rus LIKE 'Д%'"), exact), Ids{});
    FilterOptions whole;
    whole.partialCompare = false;
    QCOMPARE(kept(QStringLiteral("Deu = 'h*'"), whole), Ids{});
    QCOMPARE(kept(QStringLiteral("Deu = 'HAUS'"), whole), (Ids{1, 2}));
}

void TestFilter::decimalComma()
{
    FilterOptions comma;
    comma.decimalSeparator = u',';
    QCOMPARE(kept(QStringLiteral("Nr IN (1, 3) OR Nr = 11,0"), comma), (Ids{0, 2, 10}));
    QCOMPARE(rejection(QStringLiteral("Nr = 1.5"), comma),
             QStringLiteral("Invalid filter expression character: '.'"));
}

void TestFilter::onlyFirst255CharactersOfLiteralCount()
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 0}});
    const RecordId id = table.appendRecord();
    table.setText(id, 0, QString(255, u'x'));
    const QString literal = QString(255, u'X') + QStringLiteral("tail");
    const auto condition =
        compileFilter(QStringLiteral("Deu = '%1'").arg(literal), table, {}, QStringLiteral("T"));
    QVERIFY(condition->matches(table, id));
}

void TestFilter::deepNestingIsBoundedNotOverflowed()
{
    const auto nested = [](int depth) {
        return QString(depth, u'(') + QStringLiteral("Deu = 'Dorf'") + QString(depth, u')');
    };
    QCOMPARE(kept(nested(150)), Ids{0});
    QCOMPARE(rejection(nested(100000)), QStringLiteral("Expression expected but '(' found"));
    QCOMPARE(rejection(QStringLiteral("UPPER(").repeated(100000)),
             QStringLiteral("Expression expected but 'UPPER' found"));
    // Long chains are flat, not deep.
    const QString chain = QStringLiteral("Nr + ").repeated(100000) + QStringLiteral("1 = 2");
    QCOMPARE(kept(chain), Ids{});
}

QTEST_GUILESS_MAIN(TestFilter)
#include "tst_filter.moc"

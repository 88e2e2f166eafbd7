#include "widgets/KeyboardLayout.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace sorvane {

const QString KeyboardLayout::English = QStringLiteral("00000409");
const QString KeyboardLayout::Russian = QStringLiteral("00000419");

namespace {

/// One key of the main block: its XKB key code and what it gives, plain and with Shift, in
/// the English (US) and the Russian layout.
struct KeyPosition {
    quint32 keyCode;
    char16_t english;
    char16_t englishShifted;
    char16_t russian;
    char16_t russianShifted;
};

// XKB key codes are the evdev codes plus 8; they name the key's place on the keyboard.
constexpr KeyPosition Keys[] = {
    {49, u'`', u'~', u'ё', u'Ё'},   {10, u'1', u'!', u'1', u'!'}, {11, u'2', u'@', u'2', u'"'},
    {12, u'3', u'#', u'3', u'№'},   {13, u'4', u'$', u'4', u';'}, {14, u'5', u'%', u'5', u'%'},
    {15, u'6', u'^', u'6', u':'},   {16, u'7', u'&', u'7', u'?'}, {17, u'8', u'*', u'8', u'*'},
    {18, u'9', u'(', u'9', u'('},   {19, u'0', u')', u'0', u')'}, {20, u'-', u'_', u'-', u'_'},
    {21, u'=', u'+', u'=', u'+'},   {24, u'q', u'Q', u'й', u'Й'}, {25, u'w', u'W', u'ц', u'Ц'},
    {26, u'e', u'E', u'у', u'У'},   {27, u'r', u'R', u'к', u'К'}, {28, u't', u'T', u'е', u'Е'},
    {29, u'y', u'Y', u'н', u'Н'},   {30, u'u', u'U', u'г', u'Г'}, {31, u'i', u'I', u'ш', u'Ш'},
    {32, u'o', u'O', u'щ', u'Щ'},   {33, u'p', u'P', u'з', u'З'}, {34, u'[', u'{', u'х', u'Х'},
    {35, u']', u'}', u'ъ', u'Ъ'},   {38, u'a', u'A', u'ф', u'Ф'}, {39, u's', u'S', u'ы', u'Ы'},
    {40, u'd', u'D', u'в', u'В'},   {41, u'f', u'F', u'а', u'А'}, {42, u'g', u'G', u'п', u'П'},
    {43, u'h', u'H', u'р', u'Р'},   {44, u'j', u'J', u'о', u'О'}, {45, u'k', u'K', u'л', u'Л'},
    {46, u'l', u'L', u'д', u'Д'},   {47, u';', u':', u'ж', u'Ж'}, {48, u'\'', u'"', u'э', u'Э'},
    {51, u'\\', u'|', u'\\', u'/'}, {52, u'z', u'Z', u'я', u'Я'}, {53, u'x', u'X', u'ч', u'Ч'},
    {54, u'c', u'C', u'с', u'С'},   {55, u'v', u'V', u'м', u'М'}, {56, u'b', u'B', u'и', u'И'},
    {57, u'n', u'N', u'т', u'Т'},   {58, u'm', u'M', u'ь', u'Ь'}, {59, u',', u'<', u'б', u'Б'},
    {60, u'.', u'>', u'ю', u'Ю'},   {61, u'/', u'?', u'.', u','},
};

const KeyPosition *keyAt(quint32 keyCode)
{
    for (const KeyPosition &key : Keys) {
        if (key.keyCode == keyCode)
            return &key;
    }
    return nullptr;
}

// Only characters the other layout cannot give are translated without a key code: on a
// US desktop with English active, a typed '"' must stay '"'.
bool translatableToEnglish(QChar typed)
{
    return typed.script() == QChar::Script_Cyrillic || typed == u'№';
}

QChar byCharacter(QChar typed, bool russian)
{
    for (const KeyPosition &key : Keys) {
        if (russian) {
            if (typed == key.english)
                return key.russian;
            if (typed == key.englishShifted)
                return key.russianShifted;
        } else if (translatableToEnglish(typed)) {
            if (typed == key.russian)
                return key.english;
            if (typed == key.russianShifted)
                return key.englishShifted;
        }
    }
    return typed;
}

QChar byPosition(const KeyPosition &key, QChar typed, Qt::KeyboardModifiers modifiers, bool russian)
{
    const QChar plain = russian ? key.russian : key.english;
    const QChar shifted = russian ? key.russianShifted : key.englishShifted;
    // A letter keeps the case the desktop gave it, so Caps Lock still counts.
    if (plain.isLetter() && typed.isLetter())
        return typed.isUpper() ? shifted : plain;
    return modifiers.testFlag(Qt::ShiftModifier) ? shifted : plain;
}

constexpr Qt::KeyboardModifiers ShortcutModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

} // namespace

KeyboardLayout::KeyboardLayout(QObject *parent) : QObject(parent), m_active(English)
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyboardLayout::~KeyboardLayout()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void KeyboardLayout::activate(const QString &layoutId)
{
    if (layoutId == English || layoutId == Russian)
        m_active = layoutId;
}

QString KeyboardLayout::active() const
{
    return m_active;
}

bool KeyboardLayout::russianActive() const
{
    return m_active == Russian;
}

QChar KeyboardLayout::translate(QChar typed, quint32 keyCode, Qt::KeyboardModifiers modifiers) const
{
    // The keypad's keys are the same in both layouts; third-level characters (AltGr) are the
    // desktop's own, which neither layout defines.
    if (modifiers & (ShortcutModifiers | Qt::KeypadModifier | Qt::GroupSwitchModifier))
        return typed;
    if (keyCode == 0)
        return byCharacter(typed, russianActive());
    // A known key code outside the main block (keypad, function keys) stays as it is.
    const KeyPosition *key = keyAt(keyCode);
    return key ? byPosition(*key, typed, modifiers, russianActive()) : typed;
}

bool KeyboardLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_delivering && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
        return replace(watched, static_cast<QKeyEvent *>(event));
    return false;
}

bool KeyboardLayout::replace(QObject *watched, QKeyEvent *event)
{
    // Dead keys and composed input give no single character; they pass as they are.
    if (event->text().size() != 1)
        return false;
    const QChar typed = event->text().front();
    const QChar given = translate(typed, event->nativeScanCode(), event->modifiers());
    if (given == typed)
        return false;

    QKeyEvent copy(event->type(), given.toUpper().unicode(), event->modifiers(),
                   event->nativeScanCode(), event->nativeVirtualKey(), event->nativeModifiers(),
                   QString(given), event->isAutoRepeat(), event->count());
    // The copy passes this filter again on its way (window, then widget); it is final.
    const QScopedValueRollback delivering(m_delivering, true);
    QCoreApplication::sendEvent(watched, &copy);
    event->setAccepted(copy.isAccepted());
    return true;
}

} // namespace sorvane

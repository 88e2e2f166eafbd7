#include "app/Sorvane.h"

#include "app/AboutBox.h"
#include "dataset/ClientDataSet.h"
#include "dataset/RecoveryCopy.h"
#include "dataset/TextReport.h"
#include "system/Clock.h"
#include "system/DateText.h"
#include "system/FontRules.h"
#include "system/IniFile.h"
#include "system/ProgramFiles.h"
#include "system/RegionalSettings.h"
#include "system/TextFile.h"
#include "system/TimeText.h"
#include "widgets/AnchorPanel.h"
#include "widgets/Application.h"
#include "widgets/ColorDialog.h"
#include "widgets/DBGrid.h"
#include "widgets/DBNavigator.h"
#include "widgets/DataSource.h"
#include "widgets/FontDialog.h"
#include "widgets/GradientCaption.h"
#include "widgets/GridFont.h"
#include "widgets/KeyboardLayout.h"
#include "widgets/Shell.h"
#include "widgets/ShortcutPriority.h"
#include "widgets/StatusBar.h"
#include "widgets/TabControl.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

using namespace sorvane;

namespace {

// The three start-up values of the settings file, held unchanged for the whole run.
qint32 g_countStart = 0;
QDate g_lastDate;
QTime g_lastTime;

const QString kStart = QStringLiteral("START");
const QString kTable = QStringLiteral("TABLE");
const QString kMain = QStringLiteral("MAIN");

QString dateText(const QDate &date)
{
    return DateText::format(date, RegionalSettings::current());
}

QString timeText(const QTime &time)
{
    return TimeText::format(time, RegionalSettings::current());
}

using A = AnchorPanel;
constexpr A::Anchors kBottomLeft = A::Left | A::Bottom;
constexpr int kRussianCharset = 204;

QPushButton *makeButton(const char *name, const QString &caption, const QString &hint)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QLineEdit *makeEdit(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QFont pixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TSorvane::TSorvane(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Sorvane"));
    setWindowTitle(QStringLiteral("Vimbor"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 11));
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::ToolTipBase));
    setPalette(background);
    setAutoFillBackground(true);

    Q_INIT_RESOURCE(sorvane);
    QIcon icon;
    for (int size : {32, 64, 128})
        icon.addFile(QStringLiteral(":/icons/sorvane-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    createComponents();
    createControls();
    createMenus();
    GradientCaption1 = GradientCaption::install(this);
    GradientCaption1->setObjectName(QStringLiteral("GradientCaption1"));
    GradientCaption1->setText(QStringLiteral("Vimbor"));
    // Outer 721 × 566 around the designed 713 × 512 client area: the frame, the caption and
    // the menu bar share the rest.
    GradientCaption1->setCaptionHeight(566 - 512 - 2 * GradientCaption::FrameWidth -
                                       MainMenu1->sizeHint().height());
    connectHandlers();
    resize(721, 566);

    Application::run([this] { FormCreate(this); });
}

TSorvane::~TSorvane()
{
    closeDictionaryAtEnd();
}

void TSorvane::setAboutBox(TAboutBox *aboutBox)
{
    m_aboutBox = aboutBox;
}

void TSorvane::createComponents()
{
    Table1 = new ClientDataSet(QStringLiteral("Table1"), this);
    // As laid out: closed, no file name, filter "Deu", filtering on, case ignored.
    Table1->setFilter(QStringLiteral("Deu"));
    Table1->setFiltered(true);
    Table1->setFilterCaseInsensitive(true);

    DataSource1 = new DataSource(this);
    DataSource1->setDataSet(Table1);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    OpenDialog1 = new QFileDialog(this, QStringLiteral("Выберите пожалуйста базу данных"));
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    OpenDialog1->setNameFilters(
        {QStringLiteral("*.db"), QStringLiteral("*.xml"), QStringLiteral("*.dbf")});
    OpenDialog1->selectNameFilter(QStringLiteral("*.db"));
    OpenDialog1->setDefaultSuffix(QStringLiteral("db"));
    OpenDialog1->setSizeGripEnabled(true);

    FontDialog1 = new FontDialog(this);
    FontDialog1->setObjectName(QStringLiteral("FontDialog1"));
    FontDialog2 = new FontDialog(this);
    FontDialog2->setObjectName(QStringLiteral("FontDialog2"));
    ColorDialog1 = new ColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    ColorDialog2 = new ColorDialog(this);
    ColorDialog2->setObjectName(QStringLiteral("ColorDialog2"));
    m_keyboardLayout = new KeyboardLayout(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    Timer1->start();
}

void TSorvane::createControls()
{
    m_client = new AnchorPanel(QSize(713, 512), this);
    setCentralWidget(m_client);

    DBGrid1 = new DBGrid;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->setColorValue(0xFFFFFF);
    DBGrid1->setFixedColorValue(0);
    DBGrid1->setGridFont(GridFont::of(QStringLiteral("Courier New"), 13, 0, kRussianCharset));
    GridFont title =
        GridFont::of(QStringLiteral("Bookman Old Style"), 19, 0xFFFFFF, kRussianCharset);
    title.font.setBold(true);
    DBGrid1->setTitleGridFont(title);

    DBNavigator1 = new DBNavigator;
    DBNavigator1->setDataSource(DataSource1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setToolTip(QStringLiteral("Управление записями"));

    Button1 = makeButton("Button1", QStringLiteral("Открыть базу немецко-русского словаря"),
                         QStringLiteral("База данных немецко-русского словаря"));
    Button2 = makeButton("Button2", QStringLiteral("Фильтровать"), QStringLiteral("Фильтрация"));
    Edit1 = makeEdit("Edit1");
    Edit1->setFont(pixelFont(QStringLiteral("Arial Narrow"), 13, true));

    StatusBar1 = new StatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->addPanel(50);
    StatusBar1->addPanel(50);

    CheckBox1 = new QCheckBox(QStringLiteral("Показывать все записи"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);

    TabControl1 = new TabControl;
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setToolTip(
        QStringLiteral("Если Вы выберете букву, то в словаре останутся только слова на эту букву"));
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        TabControl1->addTab(QString(QLatin1Char(letter)));

    Button3 = makeButton("Button3", QStringLiteral("Русский"),
                         QStringLiteral("Сортировать по русским словам"));
    Button5 = makeButton("Button5", QStringLiteral("Немецкий"),
                         QStringLiteral("Сортировать по немецким словам"));
    Button6 = makeButton("Button6", QStringLiteral("Закрыть всё"), QStringLiteral("Закрыть всё"));
    Button7 = makeButton("Button7", QStringLiteral("Поиск по немецким словам"),
                         QStringLiteral("Поиск среди немецких слов"));
    Edit2 = makeEdit("Edit2");
    Button8 = makeButton("Button8", QStringLiteral("Поиск по русским словам"),
                         QStringLiteral("Поиск среди русских слов"));
    Edit3 = makeEdit("Edit3");
    Button9 =
        makeButton("Button9", QStringLiteral("Создать отчёт"), QStringLiteral("Создать отчёт"));

    // Designed places in the 713 × 512 client area, in tab order.
    m_client->place(DBGrid1, {8, 80, 697, 329}, A::Left | A::Top | A::Right | A::Bottom);
    m_client->place(DBNavigator1, {8, 48, 690, 25}, A::Left | A::Top | A::Right);
    m_client->place(Button1, {8, 465, 233, 25}, kBottomLeft);
    m_client->place(Button2, {248, 465, 89, 25}, kBottomLeft);
    m_client->place(Edit1, {344, 465, 209, 24}, kBottomLeft);
    m_client->place(StatusBar1, {0, 493, 713, 19}, A::Left | A::Right | A::Bottom);
    m_client->place(CheckBox1, {560, 441, 145, 25}, kBottomLeft);
    m_client->place(TabControl1, {8, 0, 697, 41}, A::Left | A::Top | A::Right);
    m_client->place(Button3, {448, 417, 105, 25}, kBottomLeft);
    m_client->place(Button5, {448, 441, 105, 25}, kBottomLeft);
    m_client->place(Button6, {560, 465, 153, 25}, kBottomLeft);
    m_client->place(Button7, {8, 417, 177, 25}, kBottomLeft);
    m_client->place(Edit2, {192, 419, 249, 21}, kBottomLeft);
    m_client->place(Button8, {8, 441, 177, 25}, kBottomLeft);
    m_client->place(Edit3, {192, 443, 249, 21}, kBottomLeft);
    m_client->place(Button9, {560, 416, 153, 25}, kBottomLeft);

    const QList<QWidget *> tabOrder = {DBGrid1,   DBNavigator1, Button1, Button2, Edit1,
                                       CheckBox1, TabControl1,  Button3, Button5, Button6,
                                       Button7,   Edit2,        Button8, Edit3,   Button9};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    StatusBar1->setFocusPolicy(Qt::NoFocus);
}

void TSorvane::createMenus()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    auto item = [this](QMenu *menu, const char *name, const QString &caption,
                       const QKeySequence &shortcut) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // shortcuts work while the menu is closed
        return action;
    };

    N1 = MainMenu1->addMenu(QStringLiteral("Информация"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = item(N1, "N2", QStringLiteral("О..."), QKeySequence(Qt::Key_F1));
    N3 = item(N1, "N3", QStringLiteral("Количество записей"), QKeySequence(Qt::Key_F2));
    N9 = item(N1, "N9", QStringLiteral("Последний запуск"), QKeySequence(Qt::Key_F3));
    N10 = item(N1, "N10", QStringLiteral("Количество запусков"), QKeySequence(Qt::Key_F4));

    N4 = MainMenu1->addMenu(QStringLiteral("Настройка"));
    N4->setObjectName(QStringLiteral("N4"));
    N5 = item(N4, "N5", QStringLiteral("Цвет таблицы"), QKeySequence(Qt::CTRL | Qt::Key_A));
    N6 = item(N4, "N6", QStringLiteral("Шрифт таблицы"), QKeySequence(Qt::CTRL | Qt::Key_B));
    N7 = item(N4, "N7", QStringLiteral("Цвет заголовков"), QKeySequence(Qt::CTRL | Qt::Key_D));
    N8 = item(N4, "N8", QStringLiteral("Шрифт заголовков"), QKeySequence(Qt::CTRL | Qt::Key_E));

    new ShortcutPriority(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const std::pair<const char *, QString> help[] = {
        {"RusDeu1", QStringLiteral("В таблице Вы видите два поля - Rus и Deu. Чтобы правильно "
                                   "фильтровать, используйте следующие символы:")},
        {"DeuDorfDorfDeu1",
         QStringLiteral("Deu='Dorf' - означает, что фильтровать по слову Dorf в поле Deu")},
        {"RusRus1", QStringLiteral("Rus<>'город' - означает, что фильтровать поле Rus, не "
                                   "включая слово \"город\"")},
        {"Deub1",
         QStringLiteral("Deu='b*' - означает, что фильтровать все слова в поле Deu на букву b")},
    };
    for (const auto &[name, caption] : help)
        PopupMenu1->addAction(caption)->setObjectName(QLatin1String(name));
    for (QWidget *owner : {static_cast<QWidget *>(Button2), static_cast<QWidget *>(Edit1)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
                [this, owner](const QPoint &at) { PopupMenu1->popup(owner->mapToGlobal(at)); });
    }
}

void TSorvane::connectHandlers()
{
    auto bind = [this](QPushButton *button, void (TSorvane::*handler)(QObject *)) {
        connect(button, &QPushButton::clicked, this,
                Application::guard([this, button, handler] { (this->*handler)(button); }));
    };
    bind(Button1, &TSorvane::Button1Click);
    bind(Button2, &TSorvane::Button2Click);
    bind(Button3, &TSorvane::Button3Click);
    bind(Button5, &TSorvane::Button5Click);
    bind(Button6, &TSorvane::Button6Click);
    bind(Button7, &TSorvane::Button7Click);
    bind(Button8, &TSorvane::Button8Click);
    bind(Button9, &TSorvane::Button9Click);

    auto bindAction = [this](QAction *action, void (TSorvane::*handler)(QObject *)) {
        connect(action, &QAction::triggered, this,
                Application::guard([this, action, handler] { (this->*handler)(action); }));
    };
    bindAction(N2, &TSorvane::N2Click);
    bindAction(N3, &TSorvane::N3Click);
    bindAction(N9, &TSorvane::N9Click);
    bindAction(N10, &TSorvane::N10Click);
    bindAction(N5, &TSorvane::N5Click);
    bindAction(N6, &TSorvane::N6Click);
    bindAction(N7, &TSorvane::N7Click);
    bindAction(N8, &TSorvane::N8Click);

    connect(CheckBox1, &QCheckBox::clicked, this,
            Application::guard([this] { CheckBox1Click(CheckBox1); }));
    connect(TabControl1, &TabControl::changed, this,
            Application::guard([this] { TabControl1Change(TabControl1); }));
    connect(Timer1, &QTimer::timeout, this, Application::guard([this] { Timer1Timer(Timer1); }));
    connect(Table1, &ClientDataSet::afterPost, this,
            Application::guard([this] { Table1AfterPost(Table1); }));
    connect(DBGrid1, &DBGrid::cellClicked, this,
            Application::guard([this](int column) { DBGrid1CellClick(column); }));
    Edit1->installEventFilter(this);
}

bool TSorvane::eventFilter(QObject *watched, QEvent *event)
{
    // The focus entering the box from another control, by mouse or keyboard; the window
    // becoming active again or a closing popup menu (the box's own help menu) hands the
    // focus back and is no entry.
    if (watched == Edit1 && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Application::run([this] { Edit1Enter(Edit1); });
    }
    return QMainWindow::eventFilter(watched, event);
}

QString TSorvane::countText() const
{
    return QStringLiteral("Количество записей равно ") + QString::number(Table1->recordCount());
}

// --- start, clock, keys, close -----------------------------------------------------------

void TSorvane::FormCreate(QObject *sender)
{
    m_keyboardLayout->activate(KeyboardLayout::English);
    Table1->addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
    Table1->addIndex(QStringLiteral("indR"), QStringLiteral("Rus"));
    CheckBox1Click(sender);
    TabControl1Change(sender);
    const QString remembered = readSettings();
    Table1->close();
    if (remembered.isEmpty() || !QFileInfo(remembered).isFile())
        return;
    Table1->setFileName(remembered);
    Table1->open();
    Table1->setIndexName(QStringLiteral("indD"));
    Table1->setRecNo(1);
    StatusBar1->setPanelText(0, countText());
    const int columnWidth = width() / 2 - 35;
    for (int column = 0; column < qMin(2, Table1->fieldCount()); ++column)
        DBGrid1->setColumnWidth(column, columnWidth);
}

// Reads CFG.ini in its key order, applying each value right after reading it; the default of
// each key is the current value of the property it fills. Returns the remembered dictionary.
QString TSorvane::readSettings()
{
    IniFile ini(ProgramFiles::settingsPath());
    g_countStart = ini.readInteger(kStart, QStringLiteral("CountStart"), 0);
    g_lastDate = ini.readDate(kStart, QStringLiteral("LastDate"), Clock::now().date());
    g_lastTime = ini.readTime(kStart, QStringLiteral("LastTime"), Clock::now().time());
    const QString remembered = ini.readText(kTable, QStringLiteral("WT"), QString());

    GridFont data = DBGrid1->gridFont();
    data.color = ini.readInteger(kTable, QStringLiteral("FontColor"), data.color);
    DBGrid1->setGridFont(data);
    data.font.setFamily(FontRules::faceName(
        ini.readText(kTable, QStringLiteral("FontName"), data.font.family()), data.font.family()));
    DBGrid1->setGridFont(data);
    DBGrid1->setColorValue(
        ini.readInteger(kTable, QStringLiteral("TableColor"), DBGrid1->colorValue()));
    data.font.setPixelSize(FontRules::pixelsFromPoints(ini.readInteger(
        kTable, QStringLiteral("FontSize"), FontRules::pointsFromPixels(data.font.pixelSize()))));
    DBGrid1->setGridFont(data);
    data.charset = FontRules::characterSet(
        ini.readInteger(kTable, QStringLiteral("FontCharset"), data.charset));
    DBGrid1->setGridFont(data);

    GridFont title = DBGrid1->titleGridFont();
    title.color = ini.readInteger(kTable, QStringLiteral("TFontColor"), title.color);
    DBGrid1->setTitleGridFont(title);
    title.font.setFamily(
        FontRules::faceName(ini.readText(kTable, QStringLiteral("TFontName"), title.font.family()),
                            title.font.family()));
    DBGrid1->setTitleGridFont(title);
    DBGrid1->setFixedColorValue(
        ini.readInteger(kTable, QStringLiteral("FColor"), DBGrid1->fixedColorValue()));
    title.font.setPixelSize(FontRules::pixelsFromPoints(ini.readInteger(
        kTable, QStringLiteral("TFontSize"), FontRules::pointsFromPixels(title.font.pixelSize()))));
    DBGrid1->setTitleGridFont(title);
    title.charset = FontRules::characterSet(
        ini.readInteger(kTable, QStringLiteral("TFontCharset"), title.charset));
    DBGrid1->setTitleGridFont(title);

    resize(ini.readInteger(kMain, QStringLiteral("FormWidth"), width()), height());
    resize(width(), ini.readInteger(kMain, QStringLiteral("FormHeight"), height()));
    move(x(), ini.readInteger(kMain, QStringLiteral("FormTop"), y()));
    move(ini.readInteger(kMain, QStringLiteral("FormLeft"), x()), y());
    ini.release();
    return remembered;
}

// Writes every key of CFG.ini in its order, every time; a refused write stops at that key.
void TSorvane::FormClose(QObject *)
{
    IniFile ini(ProgramFiles::settingsPath());
    ini.writeInteger(kStart, QStringLiteral("CountStart"),
                     qint32(quint32(g_countStart) + 1u)); // wraps like 32-bit arithmetic
    ini.writeDate(kStart, QStringLiteral("LastDate"), Clock::now().date());
    ini.writeTime(kStart, QStringLiteral("LastTime"), Clock::now().time());
    ini.writeText(kTable, QStringLiteral("WT"), Table1->fileName());
    const GridFont data = DBGrid1->gridFont();
    ini.writeInteger(kTable, QStringLiteral("FontColor"), data.color);
    ini.writeText(kTable, QStringLiteral("FontName"), data.font.family());
    ini.writeInteger(kTable, QStringLiteral("TableColor"), DBGrid1->colorValue());
    ini.writeInteger(kTable, QStringLiteral("FontSize"),
                     FontRules::pointsFromPixels(data.font.pixelSize()));
    ini.writeInteger(kTable, QStringLiteral("FontCharset"), data.charset);
    const GridFont title = DBGrid1->titleGridFont();
    ini.writeInteger(kTable, QStringLiteral("TFontColor"), title.color);
    ini.writeText(kTable, QStringLiteral("TFontName"), title.font.family());
    ini.writeInteger(kTable, QStringLiteral("FColor"), DBGrid1->fixedColorValue());
    ini.writeInteger(kTable, QStringLiteral("TFontSize"),
                     FontRules::pointsFromPixels(title.font.pixelSize()));
    ini.writeInteger(kTable, QStringLiteral("TFontCharset"), title.charset);
    ini.writeInteger(kMain, QStringLiteral("FormWidth"), width());
    ini.writeInteger(kMain, QStringLiteral("FormHeight"), height());
    ini.writeInteger(kMain, QStringLiteral("FormTop"), y());
    ini.writeInteger(kMain, QStringLiteral("FormLeft"), x());
    ini.release();
}

void TSorvane::Timer1Timer(QObject *)
{
    const int half = width() / 2;
    StatusBar1->setPanelWidth(0, half);
    StatusBar1->setPanelWidth(1, half);
    StatusBar1->setPanelAlignment(1, Qt::AlignCenter);
    const QDateTime now = Clock::now();
    QString text = QStringLiteral("Сейчас ") + dateText(now.date());
    if (QTime(now.time().hour(), now.time().minute(), now.time().second()) != QTime(0, 0))
        text += QLatin1Char(' ') + timeText(now.time());
    StatusBar1->setPanelText(1, text);
    StatusBar1->setPanelAlignment(0, Qt::AlignCenter);
}

void TSorvane::keyPressEvent(QKeyEvent *event)
{
    // Only keys typed while the window itself holds the focus: a control's ignored key
    // comes up here too and must not filter.
    QWidget *focus = QApplication::focusWidget();
    if (!event->text().isEmpty() && (focus == nullptr || focus == this)) {
        QChar key = event->text().front();
        Application::run([this, &key] { FormKeyPress(this, key); });
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TSorvane::FormKeyPress(QObject *, QChar &key)
{
    if (key == QChar(13))
        Button2->click();
}

void TSorvane::Button6Click(QObject *)
{
    close();
}

void TSorvane::closeEvent(QCloseEvent *event)
{
    bool closed = false;
    Application::run([this, &closed] {
        FormClose(this);
        closed = true;
    });
    if (closed)
        event->accept();
    else
        event->ignore();
}

void TSorvane::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        if (QScreen *s = screen()) {
            const QRect area = s->geometry();
            move(area.left() + (area.width() - width()) / 2,
                 area.top() + (area.height() - height()) / 2);
        }
    }
    QMainWindow::showEvent(event);
}

// --- the dictionary ----------------------------------------------------------------------

void TSorvane::Button1Click(QObject *)
{
    Table1->close();
    if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty())
        Table1->setFileName(OpenDialog1->selectedFiles().constFirst());
    Table1->open();
    StatusBar1->setPanelText(0, countText());
}

void TSorvane::Table1AfterPost(QObject *)
{
    StatusBar1->setPanelText(0, countText());
}

// --- filtering ---------------------------------------------------------------------------

void TSorvane::TabControl1Change(QObject *)
{
    Table1->setFilter(QStringLiteral("Deu = '") +
                      TabControl1->tabText(TabControl1->currentIndex()) + QStringLiteral("*'"));
}

void TSorvane::CheckBox1Click(QObject *)
{
    Table1->setFiltered(!CheckBox1->isChecked());
}

void TSorvane::Button2Click(QObject *)
{
    Table1->setFiltered(true);
    Table1->setFilter(Edit1->text());
}

void TSorvane::Edit1Enter(QObject *)
{
    Edit1->clear();
}

// --- sorting and search ------------------------------------------------------------------

void TSorvane::Button3Click(QObject *)
{
    Table1->setFiltered(false);
    DBGrid1->keepCurrentRowWhile([this] { Table1->setIndexName(QStringLiteral("indR")); });
}

void TSorvane::Button5Click(QObject *)
{
    DBGrid1->keepCurrentRowWhile([this] { Table1->setIndexName(QStringLiteral("indD")); });
}

void TSorvane::Button7Click(QObject *)
{
    locateIn(QStringLiteral("Deu"), Edit2);
}

void TSorvane::Button8Click(QObject *)
{
    locateIn(QStringLiteral("Rus"), Edit3);
}

void TSorvane::locateIn(const QString &field, const QLineEdit *box)
{
    if (Table1->locate(field, box->text(), true, false))
        DBGrid1->showCurrentInMiddle();
}

// --- information -------------------------------------------------------------------------

void TSorvane::N2Click(QObject *)
{
    if (m_aboutBox)
        m_aboutBox->showInFront();
}

void TSorvane::N3Click(QObject *)
{
    const QString text = QStringLiteral("Количество слов и выражений равно ") +
                         QString::number(Table1->recordCount());
    Application::showMessage(this, QStringLiteral("Немецко-русский словарь"), text);
}

void TSorvane::N9Click(QObject *)
{
    const QString text = QStringLiteral("Последний запуск программы был ") + dateText(g_lastDate) +
                         QStringLiteral(" в ") + timeText(g_lastTime);
    Application::showMessage(this, QStringLiteral("Sorvane Information"), text);
}

void TSorvane::N10Click(QObject *)
{
    Application::showMessage(this, QStringLiteral("Sorvane Information"),
                             QStringLiteral("Количество запусков равно ") +
                                 QString::number(g_countStart));
}

// --- the report --------------------------------------------------------------------------

void TSorvane::Button9Click(QObject *)
{
    // The report catches its own failures and shows its own message.
    const QString path = ProgramFiles::reportPath();
    try {
        const QString text =
            TextReport::build(*Table1, [this] { return DBGrid1->displayedFields(); });
        TextFile::write(path, text);
    } catch (...) {
        Application::showMessage(this, QStringLiteral("Ошибка"), QStringLiteral("Ошибка!!!"),
                                 QMessageBox::Critical);
        return;
    }
    Shell::instance().edit(path);
}

// --- the end -----------------------------------------------------------------------------

void TSorvane::closeDictionaryAtEnd()
{
    try {
        Table1->close();
        return;
    } catch (const std::exception &e) {
        Application::showError(QString::fromUtf8(e.what()));
    }
    // The dictionary could not be written back: keep the user's work in a copy.
    const QString copy = RecoveryCopy::save(*Table1);
    // The copy holds the work now: the dataset forgets its file, so closing writes nothing.
    Table1->setFileName(QString());
    Table1->close();
    Application::showMessage(nullptr, Application::title(),
                             copy.isEmpty()
                                 ? QStringLiteral("Изменения словаря не удалось сохранить.")
                                 : QStringLiteral("Изменения словаря сохранены в файле ") + copy +
                                       QLatin1Char('.'),
                             copy.isEmpty() ? QMessageBox::Critical : QMessageBox::Warning);
}

// --- appearance and input language -------------------------------------------------------

void TSorvane::N5Click(QObject *)
{
    if (ColorDialog1->exec() == QDialog::Accepted)
        DBGrid1->setColorValue(ColorDialog1->color());
}

void TSorvane::N6Click(QObject *)
{
    if (FontDialog1->exec() == QDialog::Accepted)
        DBGrid1->setGridFont(FontDialog1->value());
}

void TSorvane::N7Click(QObject *)
{
    if (ColorDialog2->exec() == QDialog::Accepted)
        DBGrid1->setFixedColorValue(ColorDialog2->color());
}

void TSorvane::N8Click(QObject *)
{
    if (FontDialog2->exec() == QDialog::Accepted)
        DBGrid1->setTitleGridFont(FontDialog2->value());
}

void TSorvane::DBGrid1CellClick(int)
{
    m_keyboardLayout->activate(DBGrid1->selectedIndex() == 1 ? KeyboardLayout::Russian
                                                             : KeyboardLayout::English);
}

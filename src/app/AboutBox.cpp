#include "app/AboutBox.h"

#include "widgets/Application.h"
#include "widgets/Shell.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

using namespace sorvane;

const QString TAboutBox::kAuthor = QStringLiteral("Анна Кравец");
const QString TAboutBox::kEmail = QStringLiteral("anna.kravets@sorvane.example");
const QString TAboutBox::kWebSite = QStringLiteral("https://sorvane.example/");

namespace {

QFont sansFont(int pixels)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    return font;
}

QLabel *makeLabel(QWidget *panel, const char *name, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, panel);
    label->setObjectName(QLatin1String(name));
    label->setFont(sansFont(16));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(p);
    label->move(at);
    label->setFixedHeight(20);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFont(sansFont(11));
    setFixedSize(374, 248);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(silver);
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 361, 209);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setFont(sansFont(13));
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);

    ProductName = new QLabel(QStringLiteral("Vimbor 1.0"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(0, 0, Panel1->width(), 37);
    ProductName->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    ProductName->setFont(sansFont(32));

    AuthorLabel = makeLabel(Panel1, "AuthorLabel", QStringLiteral("Автор"), {8, 64});
    Comments = makeLabel(Panel1, "Comments", QStringLiteral("Дата выпуска"), {8, 96});
    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("E-mail"), {8, 128});
    Label3 = makeLabel(Panel1, "Label3", QStringLiteral("Сайт"), {8, 160});
    Label4 = makeLabel(Panel1, "Label4", kAuthor, {144, 64});
    Label5 = makeLabel(Panel1, "Label5", QStringLiteral("30.12.2002"), {144, 96});
    Label6 = makeLabel(Panel1, "Label6", kEmail, {144, 128});
    Label7 = makeLabel(Panel1, "Label7", kWebSite, {144, 160});
    for (QLabel *link : {Label6, Label7}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(143, 220, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this,
            Application::guard([this] { OKButtonClick(OKButton); }));
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label6)
            Application::run([this] { Label6Click(Label6); });
        else if (watched == Label7)
            Application::run([this] { Label7Click(Label7); });
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::Label6Click(QObject *)
{
    Shell::instance().open(QStringLiteral("mailto:") + kEmail);
}

void TAboutBox::Label7Click(QObject *)
{
    Shell::instance().open(kWebSite);
}

void TAboutBox::OKButtonClick(QObject *)
{
    hide();
}

void TAboutBox::showInFront()
{
    if (!m_placed) {
        m_placed = true;
        if (QScreen *s = screen()) {
            const QRect area = s->geometry();
            move(area.left() + (area.width() - width()) / 2,
                 area.top() + (area.height() - height()) / 2);
        }
    }
    show();
    raise();
    activateWindow();
}

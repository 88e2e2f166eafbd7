#include "widgets/DBNavigator.h"

#include "widgets/Application.h"
#include "widgets/DataSource.h"
#include "widgets/DeleteConfirmation.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace sorvane {

namespace {

constexpr int kIconSide = 16;

struct ButtonLook {
    const char *name;
    const char *hint;
};

const ButtonLook kLooks[DBNavigator::kButtonCount] = {
    {"First", "Первая запись"},
    {"Prior", "Предыдущая запись"},
    {"Next", "Следующая запись"},
    {"Last", "Последняя запись"},
    {"Insert", "Вставить запись"},
    {"Delete", "Стереть запись"},
    {"Edit", "Редактировать запись"},
    {"Post", "Утвердить"},
    {"Cancel", "Отменить редактирование"},
    {"Refresh", "Обновить данные"},
};

/// A triangle pointing left or right, its base at x.
QPainterPath triangle(qreal x, bool pointsRight)
{
    const qreal tip = pointsRight ? x + 6 : x - 6;
    QPainterPath path;
    path.moveTo(x, 3);
    path.lineTo(tip, 8);
    path.lineTo(x, 13);
    path.closeSubpath();
    return path;
}

void paintGlyph(QPainter &painter, DBNavigator::Button button, const QColor &ink)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen line(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (button) {
    case DBNavigator::First:
        painter.fillRect(QRectF(3, 3, 2, 10), ink);
        painter.fillPath(triangle(12, false), ink);
        break;
    case DBNavigator::Prior:
        painter.fillPath(triangle(11, false), ink);
        break;
    case DBNavigator::Next:
        painter.fillPath(triangle(5, true), ink);
        break;
    case DBNavigator::Last:
        painter.fillPath(triangle(4, true), ink);
        painter.fillRect(QRectF(11, 3, 2, 10), ink);
        break;
    case DBNavigator::Insert:
        painter.setPen(line);
        painter.drawLine(QPointF(8, 3), QPointF(8, 13));
        painter.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case DBNavigator::Delete:
        painter.setPen(line);
        painter.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case DBNavigator::Edit: {
        QPainterPath up;
        up.moveTo(8, 3);
        up.lineTo(13, 12);
        up.lineTo(3, 12);
        up.closeSubpath();
        painter.fillPath(up, ink);
        break;
    }
    case DBNavigator::Post:
        painter.setPen(line);
        painter.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
        break;
    case DBNavigator::Cancel:
        painter.setPen(line);
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DBNavigator::Refresh: {
        painter.setPen(line);
        painter.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
        QPainterPath head;
        head.moveTo(8, 1);
        head.lineTo(12, 3);
        head.lineTo(8, 6);
        head.closeSubpath();
        painter.fillPath(head, ink);
        break;
    }
    }
}

QPixmap glyph(DBNavigator::Button button, const QColor &ink, qreal ratio)
{
    QPixmap pixmap(QSize(kIconSide, kIconSide) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintGlyph(painter, button, ink);
    return pixmap;
}

QIcon buttonIcon(DBNavigator::Button button, const QPalette &palette, qreal ratio)
{
    QIcon icon;
    icon.addPixmap(glyph(button, palette.color(QPalette::Active, QPalette::ButtonText), ratio),
                   QIcon::Normal);
    icon.addPixmap(glyph(button, palette.color(QPalette::Disabled, QPalette::ButtonText), ratio),
                   QIcon::Disabled);
    return icon;
}

} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int index = 0; index < kButtonCount; ++index) {
        const auto which = Button(index);
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(kLooks[index].name));
        button->setToolTip(QString::fromUtf8(kLooks[index].hint));
        button->setIcon(buttonIcon(which, palette(), devicePixelRatioF()));
        button->setIconSize(QSize(kIconSide, kIconSide));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // The buttons leave the focus where it is, so a grid keeps its open editor
        // until the action writes it into the record.
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this,
                Application::guard([this, which] { perform(which); }));
        row->addWidget(button);
        m_buttons[index] = button;
    }
    updateButtons();
}

void DBNavigator::setDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (source)
        connect(source, &DataSource::dataSetChanged, this, &DBNavigator::bindDataSet);
    bindDataSet();
}

void DBNavigator::bindDataSet()
{
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = m_source ? m_source->dataSet() : nullptr;
    if (m_dataSet) {
        for (auto signal : {&ClientDataSet::viewReset, &ClientDataSet::afterPost})
            connect(m_dataSet, signal, this, &DBNavigator::updateButtons);
        for (auto signal : {&ClientDataSet::rowInserted, &ClientDataSet::rowRemoved,
                            &ClientDataSet::currentRowChanged})
            connect(m_dataSet, signal, this, &DBNavigator::updateButtons);
        connect(m_dataSet, &ClientDataSet::stateChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::updateButtons()
{
    const bool active = m_dataSet && m_dataSet->active();
    const int count = active ? m_dataSet->recordCount() : 0;
    const int recNo = active ? m_dataSet->recNo() : 0;
    const ClientDataSet::State state = active ? m_dataSet->state() : ClientDataSet::State::Inactive;
    const bool editing =
        state == ClientDataSet::State::Edit || state == ClientDataSet::State::Insert;
    const bool notFirst = recNo > 1;
    const bool notLast = recNo > 0 && recNo < count;
    const bool enabled[kButtonCount] = {
        notFirst, notFirst, notLast, notLast, active, count > 0, count > 0 && !editing,
        editing,  editing,  active,
    };
    for (int index = 0; index < kButtonCount; ++index)
        m_buttons[index]->setEnabled(enabled[index]);
}

void DBNavigator::perform(Button which)
{
    if (!m_dataSet || !m_source)
        return;
    // A grid's open editor holds the latest text of the record.
    m_source->updateRecord();
    ClientDataSet &table = *m_dataSet;
    switch (which) {
    case First:
        table.first();
        break;
    case Prior:
        table.prior();
        break;
    case Next:
        table.next();
        break;
    case Last:
        table.last();
        break;
    case Insert:
        table.insert();
        break;
    case Delete:
        if (DeleteConfirmation::ask(this))
            table.deleteRecord();
        break;
    case Edit:
        table.edit();
        break;
    case Post:
        table.post();
        break;
    case Cancel:
        table.cancel();
        break;
    case Refresh:
        table.refresh();
        break;
    }
}

} // namespace sorvane

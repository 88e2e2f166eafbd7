#pragma once

#include "dataset/ClientDataSet.h"
#include "widgets/DataSource.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QToolButton;

namespace sorvane {

/// The record navigator: ten buttons in one row that move through a DataSource's dataset
/// (first, previous, next, last), insert, delete after a confirmation, edit, post, cancel
/// and refresh. Each button carries its hint and is enabled only where its action makes
/// sense: nothing while the dataset is closed, the backward buttons off on the first
/// record and the forward ones on the last, edit off while editing, post and cancel only
/// while editing. Failures reach the general error box.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int kButtonCount = Refresh + 1;

    explicit DBNavigator(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    void setDataSource(DataSource *source);

    /// The button; its objectName is the Button's name ("First" … "Refresh").
    QToolButton *button(Button which) const { return m_buttons[which]; }

private:
    void bindDataSet();
    void updateButtons();
    void perform(Button which);

    std::array<QToolButton *, kButtonCount> m_buttons{};
    QPointer<DataSource> m_source;
    QPointer<ClientDataSet> m_dataSet;
};

} // namespace sorvane

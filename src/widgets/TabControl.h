#pragma once

#include <QRect>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace sorvane {

/// A tab strip whose tabs wrap into further rows where they do not fit into its width, with
/// one selected tab drawn raised. changed() reports only the user's changes of the selection.
class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget *parent = nullptr);

    /// Appends a tab and returns its index; the first tab added becomes the selected one.
    int addTab(const QString &caption);
    int count() const;
    QString tabText(int index) const;

    /// The selected tab, -1 while there is none.
    int currentIndex() const;
    /// Selects a tab (-1 for none) without emitting changed(); other indices are ignored.
    void setCurrentIndex(int index);

    /// Where a tab is drawn, in widget coordinates; empty for an index out of range.
    QRect tabRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

signals:
    /// The user selected another tab with the mouse or the keyboard.
    void changed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QSize tabSize(int index) const;
    /// The tabs' rectangles when the strip is the given width wide, rows from the top.
    QVector<QRect> layOut(int width) const;
    int tabsHeight(int width) const;
    void selectByUser(int index);

    QStringList m_captions;
    int m_current = -1;
};

} // namespace sorvane

#pragma once

#include <QVector>
#include <QWidget>

class QLabel;
class QSizeGrip;

namespace sorvane {

/// A status bar of lowered panels, each with a fixed width, an alignment and a text, and a
/// size grip at its right end. Panels that do not fit are cut off at the right edge rather
/// than widening the window. It takes no focus and uses the system's status-bar font
/// rather than its window's.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);

    /// Appends a left-aligned, empty panel and returns its index.
    int addPanel(int width);
    int panelCount() const;

    void setPanelWidth(int index, int width);
    int panelWidth(int index) const;
    /// Only the horizontal part of the alignment counts; the text is always centred
    /// vertically.
    void setPanelAlignment(int index, Qt::Alignment alignment);
    Qt::Alignment panelAlignment(int index) const;
    void setPanelText(int index, const QString &text);
    QString panelText(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Panel {
        QLabel *label;
        int width;
    };
    const Panel &panel(int index) const;
    void placePanels();

    QVector<Panel> m_panels;
    QSizeGrip *m_grip;
};

} // namespace sorvane

#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

/// The About box: product, author, release date and two links. Created hidden at start-up,
/// shown modeless, hidden (never destroyed) by OK or its close button.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static const QString kAuthor;
    static const QString kEmail;
    static const QString kWebSite;

    explicit TAboutBox(QWidget *parent = nullptr);

    QFrame *Panel1;
    QLabel *ProductName;
    QLabel *AuthorLabel;
    QLabel *Comments;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QPushButton *OKButton;

    void Label6Click(QObject *sender);
    void Label7Click(QObject *sender);
    void OKButtonClick(QObject *sender);

    /// Shows the box and brings it to the front; centred the first time only.
    void showInFront();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_placed = false;
};

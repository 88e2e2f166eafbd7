#pragma once

#include <QMainWindow>

class QCheckBox;
class QFileDialog;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;
class QAction;

namespace sorvane {
class AnchorPanel;
class ClientDataSet;
class ColorDialog;
class DataSource;
class DBGrid;
class DBNavigator;
class FontDialog;
class GradientCaption;
class KeyboardLayout;
class StatusBar;
class TabControl;
} // namespace sorvane

class TAboutBox;

/// The main window: the dictionary grid, its navigator and every command of the program.
/// Each user action reaches exactly one handler; handlers do not catch failures, the
/// application's general error box shows them (the report command excepted).
class TSorvane : public QMainWindow {
    Q_OBJECT
public:
    explicit TSorvane(QWidget *parent = nullptr);
    ~TSorvane() override;

    /// The About box the program entry created, shown by N2Click.
    void setAboutBox(TAboutBox *aboutBox);
    /// The program's input language, which the grid's cell clicks switch.
    sorvane::KeyboardLayout &keyboardLayout() const { return *m_keyboardLayout; }

    // The window's components under their designer names.
    sorvane::DBGrid *DBGrid1;
    sorvane::DBNavigator *DBNavigator1;
    QPushButton *Button1;
    QPushButton *Button2;
    QLineEdit *Edit1;
    sorvane::StatusBar *StatusBar1;
    QCheckBox *CheckBox1;
    sorvane::TabControl *TabControl1;
    QPushButton *Button3;
    QPushButton *Button5;
    QPushButton *Button6;
    QPushButton *Button7;
    QLineEdit *Edit2;
    QPushButton *Button8;
    QLineEdit *Edit3;
    QPushButton *Button9;
    QMenuBar *MainMenu1;
    QMenu *N1;
    QAction *N2;
    QAction *N3;
    QAction *N9;
    QAction *N10;
    QMenu *N4;
    QAction *N5;
    QAction *N6;
    QAction *N7;
    QAction *N8;
    QMenu *PopupMenu1;
    sorvane::ClientDataSet *Table1;
    sorvane::DataSource *DataSource1;
    QFileDialog *OpenDialog1;
    QTimer *Timer1;
    sorvane::FontDialog *FontDialog1;
    sorvane::FontDialog *FontDialog2;
    sorvane::ColorDialog *ColorDialog1;
    sorvane::ColorDialog *ColorDialog2;
    sorvane::GradientCaption *GradientCaption1;

    // Handlers.
    void FormCreate(QObject *sender);
    void FormClose(QObject *sender);
    void FormKeyPress(QObject *sender, QChar &key);
    void Timer1Timer(QObject *sender);
    void Button1Click(QObject *sender);
    void Button2Click(QObject *sender);
    void Button3Click(QObject *sender);
    void Button5Click(QObject *sender);
    void Button6Click(QObject *sender);
    void Button7Click(QObject *sender);
    void Button8Click(QObject *sender);
    void Button9Click(QObject *sender);
    void CheckBox1Click(QObject *sender);
    void TabControl1Change(QObject *sender);
    void Edit1Enter(QObject *sender);
    void Table1AfterPost(QObject *sender);
    void DBGrid1CellClick(int column);
    void N2Click(QObject *sender);
    void N3Click(QObject *sender);
    void N9Click(QObject *sender);
    void N10Click(QObject *sender);
    void N5Click(QObject *sender);
    void N6Click(QObject *sender);
    void N7Click(QObject *sender);
    void N8Click(QObject *sender);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void createComponents();
    void connectHandlers();
    QString readSettings();
    QString countText() const;
    void locateIn(const QString &field, const QLineEdit *box);
    void closeDictionaryAtEnd();

    sorvane::AnchorPanel *m_client = nullptr;
    sorvane::KeyboardLayout *m_keyboardLayout = nullptr;
    TAboutBox *m_aboutBox = nullptr;
    bool m_shown = false;
};

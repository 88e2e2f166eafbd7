#include "widgets/Application.h"

#include "system/Error.h"

#include <QMessageBox>

namespace sorvane {

namespace {
QString g_title;
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

QString Application::title()
{
    return g_title;
}

void Application::setTitle(const QString &title)
{
    g_title = title;
    setApplicationName(title);
}

QString Application::errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void Application::showError(const QString &message)
{
    showMessage(QApplication::activeWindow(), title(), errorBoxText(message),
                QMessageBox::Critical);
}

void Application::showMessage(QWidget *owner, const QString &caption, const QString &text,
                              QMessageBox::Icon icon)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

void Application::run(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const Error &e) {
        showError(e.message());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    }
}

} // namespace sorvane

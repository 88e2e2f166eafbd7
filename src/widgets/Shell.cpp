#include "widgets/Shell.h"

#include <QDesktopServices>

namespace sorvane {

namespace {
Shell *g_instance = nullptr;
}

void Shell::open(const QString &address)
{
    QDesktopServices::openUrl(addressUrl(address));
}

void Shell::edit(const QString &filePath)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}

QUrl Shell::addressUrl(const QString &address)
{
    return QUrl::fromUserInput(address);
}

Shell &Shell::instance()
{
    static Shell desktop;
    return g_instance ? *g_instance : desktop;
}

void Shell::setInstance(Shell *shell)
{
    g_instance = shell;
}

} // namespace sorvane

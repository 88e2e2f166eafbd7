#include "app/Sorvane.h"
#include "widgets/Application.h"

int main(int argc, char *argv[])
{
    sorvane::Application app(argc, argv);
    sorvane::Application::setTitle(QStringLiteral("Sorvane"));
    TSorvane window;
    window.show();
    return app.exec();
}

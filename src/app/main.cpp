#include "app/AboutBox.h"
#include "app/Sorvane.h"
#include "widgets/Application.h"
#include "widgets/FontSubstitutes.h"

int main(int argc, char *argv[])
{
    sorvane::Application app(argc, argv);
    sorvane::Application::setTitle(QStringLiteral("Sorvane"));
    sorvane::FontSubstitutes::install();
    TSorvane window;
    TAboutBox aboutBox(&window);
    window.setAboutBox(&aboutBox);
    window.show();
    return app.exec();
}

#include "widgets/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace sorvane {

namespace {

struct Substitute {
    const char *designed;
    const char *installed;
};

// From fonts-liberation and fonts-urw-base35.
constexpr Substitute Substitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Courier New", "Liberation Mono"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Bookman Old Style", "URW Bookman"},
};

} // namespace

void FontSubstitutes::install()
{
    const QStringList families = QFontDatabase::families();
    for (const Substitute &substitute : Substitutes) {
        const QString designed = QString::fromLatin1(substitute.designed);
        if (!families.contains(designed, Qt::CaseInsensitive))
            QFont::insertSubstitution(designed, QString::fromLatin1(substitute.installed));
    }
}

QStringList FontSubstitutes::designedFamilies()
{
    QStringList names;
    for (const Substitute &substitute : Substitutes)
        names.append(QString::fromLatin1(substitute.designed));
    return names;
}

} // namespace sorvane

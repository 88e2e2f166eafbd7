#include "dataset/filter/CaseFold.h"

namespace sorvane::filter {

QString CaseFold::folded(QStringView text)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = QChar(fold(text[i].unicode()));
    return result;
}

int CaseFold::compare(QStringView a, QStringView b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t fa = fold(a[i].unicode());
        const char16_t fb = fold(b[i].unicode());
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    const int raw = a.compare(b, Qt::CaseSensitive);
    return raw < 0 ? -1 : raw > 0 ? 1 : 0;
}

} // namespace sorvane::filter

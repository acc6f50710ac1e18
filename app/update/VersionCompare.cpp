#include "VersionCompare.h"

#include <QStringList>
#include <QRegularExpression>

namespace {

// Compares two digit strings by numeric value, whatever their length.
int compareDigits(QString a, QString b)
{
    auto trim = [](QString &s) {
        int zeros = 0;
        while (zeros < s.size() - 1 && s.at(zeros) == '0')
            ++zeros;
        s.remove(0, zeros);
    };
    if (a.isEmpty())
        a = QStringLiteral("0");
    if (b.isEmpty())
        b = QStringLiteral("0");
    trim(a);
    trim(b);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return QString::compare(a, b);
}

int comparePart(const QString &a, const QString &b)
{
    int i = 0, j = 0;
    while (i < a.size() && a.at(i).isDigit())
        ++i;
    while (j < b.size() && b.at(j).isDigit())
        ++j;
    const int number = compareDigits(a.left(i), b.left(j));
    if (number != 0)
        return number;
    const QString restA = a.mid(i), restB = b.mid(j);
    // "3" is a release, "3rc1" comes before it.
    if (restA.isEmpty() != restB.isEmpty())
        return restA.isEmpty() ? 1 : -1;
    const int text = QString::compare(restA, restB, Qt::CaseInsensitive);
    return text < 0 ? -1 : (text > 0 ? 1 : 0);
}

} // namespace

int compareVersions(const QString &a, const QString &b)
{
    static const QRegularExpression separators(QStringLiteral("[.\\-_+ ]"));
    const QStringList left = a.trimmed().split(separators, Qt::SkipEmptyParts);
    const QStringList right = b.trimmed().split(separators, Qt::SkipEmptyParts);
    const int parts = qMax(left.size(), right.size());
    for (int k = 0; k < parts; ++k) {
        const QString pa = k < left.size() ? left.at(k) : QStringLiteral("0");
        const QString pb = k < right.size() ? right.at(k) : QStringLiteral("0");
        const int c = comparePart(pa, pb);
        if (c != 0)
            return c;
    }
    return 0;
}

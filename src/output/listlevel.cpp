#include <tavisk/listlevel.h>

#include <QSharedData>

namespace Tavisk
{

class ListLevelPrivate : public QSharedData
{
public:
    ListNumberStyle m_numberStyle = ListNumberStyle::Decimal;
    int m_startAt = 1;
    QString m_numberPrefix;
    QString m_numberSuffix;
    QString m_bulletText;
    int m_leftIndent = 0;
    int m_firstLineIndent = 0;
};

ListLevel::ListLevel()
    : d(new ListLevelPrivate)
{
}

ListLevel::ListLevel(const ListLevel &other) = default;
ListLevel &ListLevel::operator=(const ListLevel &other) = default;
ListLevel::~ListLevel() = default;

ListNumberStyle ListLevel::numberStyle() const
{
    return d->m_numberStyle;
}

void ListLevel::setNumberStyle(ListNumberStyle style)
{
    d->m_numberStyle = style;
}

int ListLevel::startAt() const
{
    return d->m_startAt;
}

void ListLevel::setStartAt(int startAt)
{
    d->m_startAt = startAt;
}

QString ListLevel::numberPrefix() const
{
    return d->m_numberPrefix;
}

void ListLevel::setNumberPrefix(const QString &prefix)
{
    d->m_numberPrefix = prefix;
}

QString ListLevel::numberSuffix() const
{
    return d->m_numberSuffix;
}

void ListLevel::setNumberSuffix(const QString &suffix)
{
    d->m_numberSuffix = suffix;
}

QString ListLevel::bulletText() const
{
    return d->m_bulletText;
}

void ListLevel::setBulletText(const QString &text)
{
    d->m_bulletText = text;
}

int ListLevel::leftIndent() const
{
    return d->m_leftIndent;
}

void ListLevel::setLeftIndent(int twips)
{
    d->m_leftIndent = twips;
}

int ListLevel::firstLineIndent() const
{
    return d->m_firstLineIndent;
}

void ListLevel::setFirstLineIndent(int twips)
{
    d->m_firstLineIndent = twips;
}

bool ListLevel::operator==(const ListLevel &other) const
{
    return d == other.d
        || (d->m_numberStyle == other.d->m_numberStyle && d->m_startAt == other.d->m_startAt
            && d->m_numberPrefix == other.d->m_numberPrefix && d->m_numberSuffix == other.d->m_numberSuffix
            && d->m_bulletText == other.d->m_bulletText && d->m_leftIndent == other.d->m_leftIndent
            && d->m_firstLineIndent == other.d->m_firstLineIndent);
}

} // namespace Tavisk

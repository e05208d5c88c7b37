#include <tavisk/stylesheettableentry.h>

#include <QSharedData>

namespace Tavisk
{

class StyleSheetTableEntryPrivate : public QSharedData
{
public:
    QString m_styleName;
    TextAlignment m_textAlignment = TextAlignment::Left;
    int m_leftIndent = 0;
    int m_rightIndent = 0;
    int m_topMargin = 0;
    Qt::LayoutDirection m_layoutDirection = Qt::LeftToRight;
};

StyleSheetTableEntry::StyleSheetTableEntry()
    : d(new StyleSheetTableEntryPrivate)
{
}

StyleSheetTableEntry::StyleSheetTableEntry(const StyleSheetTableEntry &other) = default;
StyleSheetTableEntry &StyleSheetTableEntry::operator=(const StyleSheetTableEntry &other) = default;
StyleSheetTableEntry::~StyleSheetTableEntry() = default;

QString StyleSheetTableEntry::styleName() const
{
    return d->m_styleName;
}

void StyleSheetTableEntry::setStyleName(const QString &styleName)
{
    d->m_styleName = styleName;
}

TextAlignment StyleSheetTableEntry::textAlignment() const
{
    return d->m_textAlignment;
}

void StyleSheetTableEntry::setTextAlignment(TextAlignment textAlignment)
{
    d->m_textAlignment = textAlignment;
}

int StyleSheetTableEntry::leftIndent() const
{
    return d->m_leftIndent;
}

void StyleSheetTableEntry::setLeftIndent(int leftIndent)
{
    d->m_leftIndent = leftIndent;
}

int StyleSheetTableEntry::rightIndent() const
{
    return d->m_rightIndent;
}

void StyleSheetTableEntry::setRightIndent(int rightIndent)
{
    d->m_rightIndent = rightIndent;
}

int StyleSheetTableEntry::topMargin() const
{
    return d->m_topMargin;
}

void StyleSheetTableEntry::setTopMargin(int topMargin)
{
    d->m_topMargin = topMargin;
}

Qt::LayoutDirection StyleSheetTableEntry::layoutDirection() const
{
    return d->m_layoutDirection;
}

void StyleSheetTableEntry::setLayoutDirection(Qt::LayoutDirection layoutDirection)
{
    d->m_layoutDirection = layoutDirection;
}

} // namespace Tavisk

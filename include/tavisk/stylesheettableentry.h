#ifndef TAVISK_STYLESHEETTABLEENTRY_H
#define TAVISK_STYLESHEETTABLEENTRY_H

#include <tavisk/tavisk_export.h>

#include <QSharedDataPointer>
#include <QString>

namespace Tavisk
{

/// Paragraph alignment of a style. Only Left (\ql) is set by the reader; the
/// other values are there for outputs that want to name the rest.
enum class TextAlignment : quint8 {
    Left = 0,
    Centred = 1,
    Justified = 2,
    Right = 3,
};

class StyleSheetTableEntryPrivate;

/**
 * One style of the RTF style sheet (\stylesheet), as handed to
 * AbstractRtfOutput::insertStyleSheetTableEntry().
 *
 * An implicitly shared value. Lengths are in twips, exactly as the file
 * gives them.
 */
class TAVISK_EXPORT StyleSheetTableEntry
{
public:
    StyleSheetTableEntry();
    StyleSheetTableEntry(const StyleSheetTableEntry &other);
    StyleSheetTableEntry &operator=(const StyleSheetTableEntry &other);
    virtual ~StyleSheetTableEntry();

    /// The style's name, without the terminating ';'.
    QString styleName() const;
    void setStyleName(const QString &styleName);

    TextAlignment textAlignment() const;
    void setTextAlignment(TextAlignment textAlignment);

    int leftIndent() const;
    void setLeftIndent(int leftIndent);

    int rightIndent() const;
    void setRightIndent(int rightIndent);

    /// Space before the paragraph (\sb).
    int topMargin() const;
    void setTopMargin(int topMargin);

    Qt::LayoutDirection layoutDirection() const;
    void setLayoutDirection(Qt::LayoutDirection layoutDirection);

private:
    QSharedDataPointer<StyleSheetTableEntryPrivate> d;
};

} // namespace Tavisk

Q_DECLARE_TYPEINFO(Tavisk::StyleSheetTableEntry, Q_RELOCATABLE_TYPE);

#endif

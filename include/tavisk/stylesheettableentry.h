#ifndef TAVISK_STYLESHEETTABLEENTRY_H
#define TAVISK_STYLESHEETTABLEENTRY_H

#include <tavisk/tavisk_export.h>

#include <QSharedDataPointer>
#include <QString>

namespace Tavisk
{

/// Paragraph alignment of a style. Only Left (\\ql) is set by the reader; the
/// other values are there for outputs that want to name the rest.
enum class TextAlignment : quint8 {
    Left = 0,      ///< Aligned to the left (\\ql).
    Centred = 1,   ///< Centred (\\qc).
    Justified = 2, ///< Justified (\\qj).
    Right = 3,     ///< Aligned to the right (\\qr).
};

class StyleSheetTableEntryPrivate;

/**
 * One style of the RTF style sheet (\\stylesheet), as handed to
 * AbstractRtfOutput::insertStyleSheetTableEntry().
 *
 * An implicitly shared value. Lengths are in twips, exactly as the file
 * gives them.
 *
 * A new entry has a null name, TextAlignment::Left, indents and top margin
 * of 0 and Qt::LeftToRight.
 *
 * @par Thread-safety
 * Reentrant, like Qt's implicitly shared values: copies may be used on
 * different threads at once.
 */
class TAVISK_EXPORT StyleSheetTableEntry
{
public:
    /// An entry with no name, left aligned, no indents, left to right.
    StyleSheetTableEntry();
    /// A copy of @p other, sharing its data until either is changed.
    StyleSheetTableEntry(const StyleSheetTableEntry &other);
    /// Makes this entry a copy of @p other; returns this entry.
    StyleSheetTableEntry &operator=(const StyleSheetTableEntry &other);
    /// Releases this entry's share of the data.
    virtual ~StyleSheetTableEntry();

    /// The style's name, without the terminating ';'.
    QString styleName() const;
    /// Sets the name to @p styleName.
    void setStyleName(const QString &styleName);

    /// The style's paragraph alignment.
    TextAlignment textAlignment() const;
    /// Sets the paragraph alignment to @p textAlignment.
    void setTextAlignment(TextAlignment textAlignment);

    /// Left indent in twips (\\li).
    int leftIndent() const;
    /// Sets the left indent to @p leftIndent twips.
    void setLeftIndent(int leftIndent);

    /// Right indent in twips (\\ri).
    int rightIndent() const;
    /// Sets the right indent to @p rightIndent twips.
    void setRightIndent(int rightIndent);

    /// Space before the paragraph (\\sb).
    int topMargin() const;
    /// Sets the space before the paragraph to @p topMargin twips.
    void setTopMargin(int topMargin);

    /// Direction of the style's text: Qt::LeftToRight (\\ltrch) or
    /// Qt::RightToLeft (\\rtlch).
    Qt::LayoutDirection layoutDirection() const;
    /// Sets the text direction to @p layoutDirection.
    void setLayoutDirection(Qt::LayoutDirection layoutDirection);

private:
    QSharedDataPointer<StyleSheetTableEntryPrivate> d;
};

} // namespace Tavisk

Q_DECLARE_TYPEINFO(Tavisk::StyleSheetTableEntry, Q_RELOCATABLE_TYPE);

#endif

#ifndef TAVISK_LISTLEVEL_H
#define TAVISK_LISTLEVEL_H

#include <tavisk/tavisk_export.h>

#include <QSharedDataPointer>
#include <QString>

namespace Tavisk
{

/// How the items of a list level are marked: the number format of
/// \\levelnfc (or \\levelnfcn) in the list table, and of \\pndec, \\pnucrm,
/// \\pnlcrm, \\pnucltr, \\pnlcltr and \\pnlvlblt in Word 6 numbering.
enum class ListNumberStyle : quint8 {
    Decimal = 0, ///< 1, 2, 3 (\\levelnfc0, \\pndec); also the formats without a style of their own
    UpperRoman = 1, ///< I, II, III (\\levelnfc1, \\pnucrm)
    LowerRoman = 2, ///< i, ii, iii (\\levelnfc2, \\pnlcrm)
    UpperAlpha = 3, ///< A, B, C (\\levelnfc3, \\pnucltr)
    LowerAlpha = 4, ///< a, b, c (\\levelnfc4, \\pnlcltr)
    Bullet = 23, ///< a bullet character, ListLevel::bulletText() (\\levelnfc23, \\pnlvlblt)
    None = 255, ///< no number at all (\\levelnfc255)
};

class ListLevelPrivate;

/**
 * One level of a list: how its items are numbered or marked, and where.
 *
 * Read from a {\\listlevel ...} group of the list table ({\\*\\listtable
 * {\\list ... {\\listlevel \\levelnfc0\\levelstartat1{\\leveltext \\'02\\'00.;}
 * {\\levelnumbers \\'01;}\\fi-360\\li720} ... \\listidN}}) and handed to
 * AbstractRtfOutput::defineList(), or from a Word 6 numbering group
 * ({\\*\\pn \\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}) and handed to
 * AbstractRtfOutput::setParagraphNumbering().
 *
 * The level text of RTF mixes literal text with the numbers of the levels;
 * this class keeps the literal text before the level's number as
 * numberPrefix() and after it as numberSuffix(), so "(" and ")" for "(1)".
 *
 * An implicitly shared value. Indents are in twips, as the file gives them.
 */
class TAVISK_EXPORT ListLevel
{
public:
    /// A decimal level starting at 1 with no prefix, suffix or indent.
    ListLevel();
    /// Copies @p other; the data is shared until one of the two changes.
    ListLevel(const ListLevel &other);
    /// Makes this level a copy of @p other.
    ListLevel &operator=(const ListLevel &other);
    /// Destroys the level.
    ~ListLevel();

    /// How the items are numbered (\\levelnfc, \\pndec...).
    ListNumberStyle numberStyle() const;
    /// Sets the number style.
    void setNumberStyle(ListNumberStyle style);

    /// The number of the level's first item (\\levelstartat, \\pnstart); 1
    /// unless the file says otherwise.
    int startAt() const;
    /// Sets the first item's number.
    void setStartAt(int startAt);

    /// Text shown before the number ("(" of "(1)"; \\pntxtb in Word 6
    /// numbering). Empty for bullets.
    QString numberPrefix() const;
    /// Sets the text before the number.
    void setNumberPrefix(const QString &prefix);

    /// Text shown after the number ("." of "1.", ")" of "a)"; \\pntxta in Word 6
    /// numbering). Empty for bullets.
    QString numberSuffix() const;
    /// Sets the text after the number.
    void setNumberSuffix(const QString &suffix);

    /// For ListNumberStyle::Bullet: the marker as the level text gives it,
    /// often a character of a symbol font (U+F0B7 for Symbol's bullet, "o",
    /// U+F0A7 for Wingdings' square). Empty when the level gives none.
    QString bulletText() const;
    /// Sets the bullet's text.
    void setBulletText(const QString &text);

    /// The left indent of the level's paragraphs in twips (\\li of the level,
    /// \\pnindent), 0 when the level gives none.
    int leftIndent() const;
    /// Sets the left indent.
    void setLeftIndent(int twips);

    /// The first-line indent in twips (\\fi of the level; negative for the
    /// usual hanging marker), 0 when the level gives none.
    int firstLineIndent() const;
    /// Sets the first-line indent.
    void setFirstLineIndent(int twips);

    /// Whether both levels read alike.
    bool operator==(const ListLevel &other) const;
    /// Whether the levels differ.
    bool operator!=(const ListLevel &other) const { return !(*this == other); }

private:
    QSharedDataPointer<ListLevelPrivate> d;
};

} // namespace Tavisk

Q_DECLARE_TYPEINFO(Tavisk::ListLevel, Q_RELOCATABLE_TYPE);

#endif

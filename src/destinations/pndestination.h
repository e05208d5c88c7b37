#ifndef TAVISK_PNDESTINATION_H
#define TAVISK_PNDESTINATION_H

#include "destination.h"

#include <tavisk/listlevel.h>

namespace Tavisk
{

/**
 * Word 6 paragraph numbering, {\\*\\pn \\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}
 * as Word 6, Word 95 and WordPad write it in a numbered or bulleted
 * paragraph.
 *
 * At the end of the group the paragraph's numbering goes to
 * AbstractRtfOutput::setParagraphNumbering(): \\pnlvlblt makes a bullet
 * (the text of {\\pntxtb ...}), \\pnlvlbody a numbered paragraph, \\pnlvlN a
 * paragraph of outline level N; \\pndec, \\pnucrm, \\pnlcrm, \\pnucltr and
 * \\pnlcltr choose the number style, \\pnstart the first number, \\pnindent
 * the indent, and the text of {\\pntxtb ...} and {\\pntxta ...} goes before
 * and after the number. A group with none of the level words, or with
 * \\pnlvlcont (a paragraph that continues an item without a number of its
 * own), numbers nothing.
 */
class TAVISK_EXPORT PnDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    PnDestination(AbstractRtfOutput *output, const QString &name);
    /// Destroys the handler.
    ~PnDestination() override;

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void aboutToEndDestination() override;
    /// Reads {\\pntxta ...} and {\\pntxtb ...} into this numbering.
    Destination *createNestedDestination(const QString &name) override;

    /// Text for before (\\pntxtb) or after (\\pntxta) the number.
    void appendText(bool before, const QString &text);

private:
    enum class Kind : quint8 {
        None, // no level word yet
        Bullet,
        Numbered,
        Continued,
    };

    ListLevel m_level;
    QString m_textBefore;
    QString m_textAfter;
    int m_levelIndex = 0;
    ListNumberStyle m_numberStyle = ListNumberStyle::Decimal;
    Kind m_kind = Kind::None;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_DOCUMENTDESTINATION_H
#define TAVISK_DOCUMENTDESTINATION_H

#include "destination.h"

#include <tavisk/abstractrtfoutput.h>
#include <tavisk/tableformat.h>

namespace Tavisk
{

/**
 * The body of the document: the outermost {\\rtf1 ...} group and every nested
 * group that opens no destination of its own.
 *
 * Turns body control words into output calls at once and passes text runs on;
 * the parse loop has already dropped the fallback that follows a \\u. It keeps no formatting
 * state: the groups reach the output through startGroup() and endGroup().
 */
class TAVISK_EXPORT DocumentDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    DocumentDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

    /// {\*\\atnauthor ...} and {\*\\atnid ...} come before the comment
    /// ({\*\\annotation ...}) they belong to, as groups of the same body:
    /// the body keeps them for the comment, which takes them.
    void setCommentAuthor(const QString &author);
    /// See setCommentAuthor().
    void setCommentInitials(const QString &initials);
    /// The author kept for the next comment, which is then forgotten.
    QString takeCommentAuthor();
    /// The initials kept for the next comment, which are then forgotten.
    QString takeCommentInitials();

    /// Paragraph words that take effect together with a later word: \\sl
    /// and \\slmult make one line spacing, and the alignment and leader
    /// words of a tab stop come before its \\tx. All of it ends with \\pard.
    struct ParagraphWords {
        /// The last \\slN, in twips (negative: exact, positive: at least).
        int lineSpacing = 0;
        /// \\slmult1: lineSpacing is a multiple of single spacing (N/240).
        bool lineSpacingMultiple = false;
        /// How the next tab stop (\\txN) aligns text.
        AbstractRtfOutput::TabAlignment tabAlignment = AbstractRtfOutput::TabAlignment::Left;
        /// What fills the space before the next tab stop.
        AbstractRtfOutput::TabLeader tabLeader = AbstractRtfOutput::TabLeader::None;
    };

protected:
    /// The high surrogate of a \\u that waits for the low one of the next
    /// \\u, or 0. (The fallback of \\u never arrives here: the parse loop
    /// drops it.)
    char16_t m_highSurrogate = 0;
    /// No longer used: the parse loop drops the fallback of \\u and keeps
    /// the \\uc length with each group. Kept so that subclasses written
    /// against earlier versions still compile.
    qint64 m_charactersToSkip = 0;
    /// No longer used; see m_charactersToSkip.
    int m_unicodeSkip = 1;

    /// See ParagraphWords.
    ParagraphWords m_paragraphWords;
    // Tables: the row definition being read, from \trowd to the last \cellx.
    /// Row properties given since \\trowd.
    TableRowFormat m_tableRowFormat;
    /// Cell properties given since the previous \\cellx.
    TableCellDefinition m_tableCell;
    /// Which border of m_tableCell the \\brdr... words describe: 0 for none,
    /// then top, left, bottom, right.
    quint8 m_tableBorderSide = 0;

private:
    QString m_commentAuthor;
    QString m_commentInitials;
};

} // namespace Tavisk

#endif

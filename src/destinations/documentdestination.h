#ifndef TAVISK_DOCUMENTDESTINATION_H
#define TAVISK_DOCUMENTDESTINATION_H

#include "destination.h"

namespace Tavisk
{

/**
 * The body of the document: the outermost {\rtf1 ...} group and every nested
 * group that opens no destination of its own.
 *
 * Turns body control words into output calls at once and passes text runs on,
 * less the fallback bytes that follow a \u character. It keeps no formatting
 * state: the groups reach the output through startGroup() and endGroup().
 */
class TAVISK_EXPORT DocumentDestination : public Destination
{
public:
    DocumentDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;
    /// Takes over the \uc fallback length of an enclosing body destination.
    void setEnclosingDestination(Destination *enclosing) override;

    /// {\*\atnauthor ...} and {\*\atnid ...} come before the comment
    /// ({\*\annotation ...}) they belong to, as groups of the same body:
    /// the body keeps them for the comment, which takes them.
    void setCommentAuthor(const QString &author);
    /// See setCommentAuthor().
    void setCommentInitials(const QString &initials);
    /// The author kept for the next comment, which is then forgotten.
    QString takeCommentAuthor();
    /// The initials kept for the next comment, which are then forgotten.
    QString takeCommentInitials();

protected:
    /// Plain-text bytes still to be dropped as the fallback of the last \u.
    qint64 m_charactersToSkip = 0;
    /// Fallback bytes that follow each \u, as last set by \uc.
    int m_unicodeSkip = 1;

private:
    QString m_commentAuthor;
    QString m_commentInitials;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_SUBDOCUMENTDESTINATION_H
#define TAVISK_SUBDOCUMENTDESTINATION_H

#include "documentdestination.h"

namespace Tavisk
{

/**
 * Base of the groups whose text leaves the flow of the body: notes, comments,
 * headers and footers.
 *
 * Before the group's first content (a word, text, or a nested destination
 * other than those the subclass reads first), the subclass asks the output
 * whether it wants the content (beginNote(), beginComment(),
 * beginHeaderFooter()). If it does, the group is read as body text and the
 * subclass ends it at the group's end; if not, everything in the group is
 * dropped, nested destinations included, and nothing more reaches the output
 * but the group boundaries.
 */
class TAVISK_EXPORT SubDocumentDestination : public DocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    SubDocumentDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;
    bool allowsNestedDestination(const QString &name) override;

protected:
    /// A word at the very start of the group that describes the group
    /// (\\ftnalt); returns whether it was taken.
    virtual bool takeLeadingWord(const QByteArray &controlWord, bool hasParameter, int parameter);
    /// Whether a destination at the very start of the group describes the
    /// group ({\*\\atnref}, {\*\\atndate}) rather than starting its content.
    virtual bool isLeadingDestination(const QString &name) const;
    /// Announces the group to the output; returns whether it takes the content.
    virtual bool beginContent() = 0;
    /// Ends the content the output took.
    virtual void endContent() = 0;

private:
    void begin();

    bool m_begun = false;
    bool m_accepted = false;
};

} // namespace Tavisk

#endif

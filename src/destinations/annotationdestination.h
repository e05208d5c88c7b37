#ifndef TAVISK_ANNOTATIONDESTINATION_H
#define TAVISK_ANNOTATIONDESTINATION_H

#include "subdocumentdestination.h"

#include <QDateTime>

namespace Tavisk
{

/**
 * A comment: {\*\\annotation{\*\\atnref id}{\*\\atndate dttm} text}, with its
 * author and initials in the {\*\\atnauthor} and {\*\\atnid} groups before it.
 * The output is asked with beginComment() whether it takes the text; by
 * default the text is dropped.
 */
class TAVISK_EXPORT AnnotationDestination : public SubDocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    AnnotationDestination(AbstractRtfOutput *output, const QString &name);

    void setEnclosingDestination(Destination *enclosing) override;

    /// The text of {\*\\atnref}: the id of the comment's range.
    void setReference(const QString &id);
    /// The moment of {\*\\atndate}.
    void setDate(const QDateTime &date);

protected:
    bool isLeadingDestination(const QString &name) const override;
    bool beginContent() override;
    void endContent() override;

private:
    QString m_id;
    QString m_author;
    QString m_initials;
    QDateTime m_date;
};

} // namespace Tavisk

#endif

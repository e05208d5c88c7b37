#include "annotationdestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

AnnotationDestination::AnnotationDestination(AbstractRtfOutput *output, const QString &name)
    : SubDocumentDestination(output, name)
{
}

void AnnotationDestination::setEnclosingDestination(Destination *enclosing)
{
    SubDocumentDestination::setEnclosingDestination(enclosing);
    if (auto *body = dynamic_cast<DocumentDestination *>(enclosing)) {
        m_author = body->takeCommentAuthor();
        m_initials = body->takeCommentInitials();
    }
}

void AnnotationDestination::setReference(const QString &id)
{
    m_id = id;
}

void AnnotationDestination::setDate(const QDateTime &date)
{
    m_date = date;
}

bool AnnotationDestination::isLeadingDestination(const QString &name) const
{
    // The comment's id and date come first; so may groups the reader does
    // not know (\atnparent, \atntime).
    return name == QLatin1String("atnref") || name == QLatin1String("atndate")
        || name == QLatin1String("ignorable");
}

bool AnnotationDestination::beginContent()
{
    return m_output->beginComment(m_id, m_author, m_initials, m_date);
}

void AnnotationDestination::endContent()
{
    m_output->endComment();
}

} // namespace Tavisk

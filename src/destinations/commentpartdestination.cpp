#include "commentpartdestination.h"

#include "annotationdestination.h"

namespace Tavisk
{

CommentPartDestination::CommentPartDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void CommentPartDestination::aboutToEndDestination()
{
    const QString text = m_pcdata.trimmed();
    if (m_name == QLatin1String("atnid") || m_name == QLatin1String("atnauthor")) {
        auto *body = dynamic_cast<DocumentDestination *>(m_enclosing);
        if (!body)
            return;
        if (m_name == QLatin1String("atnid"))
            body->setCommentInitials(text);
        else
            body->setCommentAuthor(text);
        return;
    }
    auto *comment = dynamic_cast<AnnotationDestination *>(m_enclosing);
    if (!comment)
        return;
    if (m_name == QLatin1String("atnref")) {
        comment->setReference(text);
    } else {
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (ok)
            comment->setDate(dateFromDttm(value));
    }
}

QDateTime CommentPartDestination::dateFromDttm(qint64 value)
{
    const quint32 bits = quint32(value);
    const int minute = int(bits & 0x3F);
    const int hour = int((bits >> 6) & 0x1F);
    const int day = int((bits >> 11) & 0x1F);
    const int month = int((bits >> 16) & 0x0F);
    const int year = int((bits >> 20) & 0x1FF) + 1900;
    const QDate date(year, month, day);
    const QTime time(hour, minute);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

} // namespace Tavisk

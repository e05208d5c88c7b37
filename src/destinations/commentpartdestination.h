#ifndef TAVISK_COMMENTPARTDESTINATION_H
#define TAVISK_COMMENTPARTDESTINATION_H

#include "pcdatadestination.h"

#include <QDateTime>

namespace Tavisk
{

/**
 * The parts of a comment given as groups of their own: the author's initials
 * ({\*\\atnid ...}) and name ({\*\\atnauthor ...}) before the comment, its
 * range id ({\*\\atnref ...}) and date ({\*\\atndate ...}) inside it. Each is
 * handed to the body or comment around it when its group ends.
 */
class TAVISK_EXPORT CommentPartDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    CommentPartDestination(AbstractRtfOutput *output, const QString &name);

    void aboutToEndDestination() override;

    /// The moment of an \\atndate value: a Word date-time (DTTM) packed into
    /// 32 bits, minutes in bits 0-5, hours 6-10, day 11-15, month 16-19 and
    /// years since 1900 in 20-28. Invalid when the fields give no date.
    static QDateTime dateFromDttm(qint64 value);
};

} // namespace Tavisk

#endif

#ifndef TAVISK_COMMENTRANGEDESTINATION_H
#define TAVISK_COMMENTRANGEDESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/**
 * The start or end of the text a comment is about: {\*\\atrfstart id} or
 * {\*\\atrfend id}. The output hears setCommentRangeStart() or
 * setCommentRangeEnd() when the group ends.
 */
class TAVISK_EXPORT CommentRangeDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    CommentRangeDestination(AbstractRtfOutput *output, const QString &name);

    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif

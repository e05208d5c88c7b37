#ifndef TAVISK_BOOKMARKDESTINATION_H
#define TAVISK_BOOKMARKDESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/**
 * The start or end of a bookmark: {\*\\bkmkstart name} or {\*\\bkmkend name}.
 * The group's text is the bookmark's name; the output hears
 * setBookmarkStart() or setBookmarkEnd() when the group ends. A group without
 * a name gives nothing.
 */
class TAVISK_EXPORT BookmarkDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    BookmarkDestination(AbstractRtfOutput *output, const QString &name);

    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif

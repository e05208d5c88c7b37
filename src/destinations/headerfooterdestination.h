#ifndef TAVISK_HEADERFOOTERDESTINATION_H
#define TAVISK_HEADERFOOTERDESTINATION_H

#include "subdocumentdestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

/**
 * A page header or footer: {\\header ...}, {\\footer ...} and their first-page
 * (\\headerf), left-page (\\headerl) and right-page (\\headerr) variants. The
 * output is asked with beginHeaderFooter() whether it takes the text; by
 * default the text is dropped.
 */
class TAVISK_EXPORT HeaderFooterDestination : public SubDocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    HeaderFooterDestination(AbstractRtfOutput *output, const QString &name);

    /// The kind a destination name stands for (header, headerl, ..., footerf).
    static AbstractRtfOutput::HeaderFooterKind kindFromName(const QString &name);

protected:
    bool beginContent() override;
    void endContent() override;
};

} // namespace Tavisk

#endif

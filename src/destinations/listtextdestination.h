#ifndef TAVISK_LISTTEXTDESTINATION_H
#define TAVISK_LISTTEXTDESTINATION_H

#include "documentdestination.h"

namespace Tavisk
{

/**
 * The marker text that writers store before a list item for readers that
 * know no lists: {\\listtext \\pard\\plain \\f3 \\'b7\\tab} (with the list table)
 * and {\\pntext \\f1 \\'b7\\tab} (with Word 6 numbering).
 *
 * The group is read like body text, and its words and text reach the output
 * as body text does, between AbstractRtfOutput::beginListText() and
 * AbstractRtfOutput::endListText(): an output that draws its own list
 * markers can drop this one once it knows the paragraph is a list item, and
 * one that does not shows it as text.
 */
class TAVISK_EXPORT ListTextDestination : public DocumentDestination
{
public:
    /// Tells the output that list text begins.
    ListTextDestination(AbstractRtfOutput *output, const QString &name);
    ~ListTextDestination() override;

    /// Tells the output that the list text has ended.
    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif

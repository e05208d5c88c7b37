#ifndef TAVISK_FIELDINSTRUCTIONDESTINATION_H
#define TAVISK_FIELDINSTRUCTIONDESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/**
 * The instruction of a field: {\*\\fldinst ...}. Collects its text (split
 * into runs, with \'hh and \\u escapes, as writers give it) and hands it to
 * the enclosing FieldDestination when the group ends; nothing of it reaches
 * the output. Groups inside it, nested fields included, are read as part of
 * the instruction, except the ignorable ones the reader does not know
 * ({\*\\datafield ...}), which are dropped.
 */
class TAVISK_EXPORT FieldInstructionDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    FieldInstructionDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void aboutToEndDestination() override;
    bool allowsNestedDestination(const QString &name) override;
    /// The instruction is text of the body: the body's \\uc goes on in it.
    void setEnclosingDestination(Destination *enclosing) override;
};

} // namespace Tavisk

#endif

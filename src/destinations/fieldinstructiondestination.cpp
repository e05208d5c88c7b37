#include "fieldinstructiondestination.h"

#include "fielddestination.h"

namespace Tavisk
{

FieldInstructionDestination::FieldInstructionDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void FieldInstructionDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    // Formatting of the instruction's runs (\rtlch, \fcs1, \af0...) means
    // nothing for the instruction.
    if (controlWord == "u" || controlWord == "uc" || controlWord == "'")
        PcdataDestination::handleControlWord(controlWord, hasParameter, parameter);
}

void FieldInstructionDestination::aboutToEndDestination()
{
    if (auto *field = dynamic_cast<FieldDestination *>(m_enclosing))
        field->setInstruction(m_pcdata);
}

void FieldInstructionDestination::setEnclosingDestination(Destination *enclosing)
{
    DocumentDestination::setEnclosingDestination(enclosing);
}

bool FieldInstructionDestination::allowsNestedDestination(const QString &name)
{
    // Groups the reader does not know ({\*\datafield} of a form field,
    // {\*\formfield}) are dropped; all others are instruction text.
    return name == QLatin1String("ignorable");
}

} // namespace Tavisk

#ifndef TAVISK_FIELDDESTINATION_H
#define TAVISK_FIELDDESTINATION_H

#include "documentdestination.h"

namespace Tavisk
{

/**
 * A field: {\\field{\*\\fldinst instruction}{\\fldrslt result}}.
 *
 * The instruction arrives from the FieldInstructionDestination of the
 * {\*\\fldinst} group and is never shown. At the start of the {\\fldrslt} group
 * the output hears beginField() with the instruction (and beginLink() for a
 * HYPERLINK field); the result is body text; the end of the field group ends
 * them. A field without a result gives beginField() and endField() at its end.
 */
class TAVISK_EXPORT FieldDestination : public DocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    FieldDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void aboutToEndDestination() override;

    /// The text of the field's {\*\\fldinst} group.
    void setInstruction(const QString &instruction);

    /// The target and tool tip of a HYPERLINK instruction: "url", "#bookmark"
    /// (the \\l switch) or "url#bookmark", and the text of the \\o switch. The
    /// URL may be quoted or not; an instruction of another kind, or one
    /// without a target, gives an empty target.
    struct Link {
        QString href; ///< the link's target; empty when the field is no link
        QString toolTip; ///< the text of the \\o switch, or empty
    };
    /// Reads the target and tool tip out of the field instruction
    /// @p instruction; see Link.
    static Link parseHyperlink(const QString &instruction);

private:
    void beginResult();

    QString m_instruction;
    bool m_resultStarted = false;
    bool m_link = false;
};

} // namespace Tavisk

#endif

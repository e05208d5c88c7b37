#ifndef TAVISK_SHAPETEXTDESTINATION_H
#define TAVISK_SHAPETEXTDESTINATION_H

#include "documentdestination.h"

namespace Tavisk
{

/**
 * The text of a text box or shape: {\\shptxt ...} in a shape's
 * {\*\\shpinst}, or {\\dptxbxtext ...} in an old drawing object. Read as body
 * text between beginTextBox() and endTextBox(), at the shape's anchor.
 */
class TAVISK_EXPORT ShapeTextDestination : public DocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    ShapeTextDestination(AbstractRtfOutput *output, const QString &name);

    /// Also announces the text box to the output.
    void setEnclosingDestination(Destination *enclosing) override;
    void aboutToEndDestination() override;
};

/**
 * The fallback of a shape for readers that do not draw shapes: {\\shprslt
 * ...}. Read as body text when the shape's own content was not shown, and
 * dropped, nested groups included, when it was.
 */
class TAVISK_EXPORT ShapeResultDestination : public DocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    ShapeResultDestination(AbstractRtfOutput *output, const QString &name);

    void setEnclosingDestination(Destination *enclosing) override;
    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    bool allowsNestedDestination(const QString &name) override;

private:
    bool m_dropped = false;
};

} // namespace Tavisk

#endif

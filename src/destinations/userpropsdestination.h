#ifndef TAVISK_USERPROPSDESTINATION_H
#define TAVISK_USERPROPSDESTINATION_H

#include "destination.h"

#include <QVariant>

namespace Tavisk
{

/**
 * User-defined document properties,
 * {\\*\\userprops {\\propname Client}\\proptype30{\\staticval Example Ltd}...}.
 *
 * The name and value groups open no destination of their own, so their words
 * and text all come here. The text runs of one name (from \\propname to the
 * next \\staticval or \\proptype) are joined, and so are those of one value
 * (from \\staticval to the next \\propname, \\proptype or \\staticval). Each
 * property is stored on the output while its value is read and completed at
 * the next control word or at the end of the group.
 *
 * Values are typed after \\proptype: 3 int, 5 double, 11 bool, 64 QDate (ISO
 * 8601), 30 text. Text values are the undecoded bytes (QByteArray); a value
 * that does not convert to its type is kept as its bytes too.
 */
class TAVISK_EXPORT UserPropsDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    UserPropsDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

private:
    void storeProperty();
    void storePendingProperty();
    QVariant typedValue() const;

    /// Whether plain text is read as a property's name (true) or its value.
    bool m_nextPlainTextIsPropertyName = true;
    /// The value type chosen by the last recognised \\proptype, as a QMetaType
    /// type id.
    int m_propertyType = QMetaType::QString;
    /// The name of the property being read, decoded from m_nameBytes.
    QString m_propertyName;

    /// The raw bytes of the current name and value, joined over their runs.
    QByteArray m_nameBytes;
    QByteArray m_valueBytes;
    /// False once the name or value is complete: the next run starts anew.
    bool m_nameOpen = true;
    bool m_valueOpen = false;
    /// m_propertyName lags behind m_nameBytes.
    bool m_nameChanged = false;
    /// Size of the value when it was last stored, and whether it has grown
    /// since. A value split into many runs is stored again only each time it
    /// has doubled, then once more when it is complete, so storing stays
    /// linear in its size.
    qsizetype m_storedValueSize = 0;
    bool m_valuePending = false;
};

} // namespace Tavisk

#endif

#include "userpropsdestination.h"

#include "common/codepage_p.h"
#include "common/controlchars_p.h"
#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <QDate>

#include <string_view>

namespace Tavisk
{

namespace
{
// A number, truth value or date is never this long; longer values are kept
// as text without an attempt to convert them.
constexpr qsizetype maximumTypedValueSize = 256;

enum class PropertyWord { Name, Type, StaticValue };

struct PropertyWordEntry {
    std::string_view name;
    PropertyWord word;
};

// Sorted by name (byte order) for findWord().
constexpr PropertyWordEntry propertyWords[] = {
    {"propname", PropertyWord::Name},
    {"proptype", PropertyWord::Type},
    {"staticval", PropertyWord::StaticValue},
};

static_assert(isSortedByName(propertyWords), "propertyWords must stay sorted by name");
} // namespace

UserPropsDestination::UserPropsDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void UserPropsDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    // Every word ends the value before it.
    storePendingProperty();
    const PropertyWordEntry *entry = findWord(propertyWords, controlWord);
    // \proptype without a number names no type.
    if (!entry || (entry->word == PropertyWord::Type && !hasParameter)) {
        qCDebug(lcRtf) << "unexpected control word in UserPropsDestination:" << controlWord;
        return;
    }
    switch (entry->word) {
    case PropertyWord::Name:
        // A new name starts empty: {\propname} must not reuse the name before.
        m_nextPlainTextIsPropertyName = true;
        m_nameBytes.clear();
        m_nameChanged = true;
        m_nameOpen = true;
        m_valueOpen = false;
        break;
    case PropertyWord::StaticValue:
        m_nextPlainTextIsPropertyName = false;
        m_nameOpen = false;
        m_valueOpen = false;
        break;
    case PropertyWord::Type:
        m_nameOpen = false;
        m_valueOpen = false;
        switch (parameter) {
        case 3:
            m_propertyType = QMetaType::Int;
            break;
        case 5:
            m_propertyType = QMetaType::Double;
            break;
        case 11:
            m_propertyType = QMetaType::Bool;
            break;
        case 30:
            m_propertyType = QMetaType::QString;
            break;
        case 64:
            m_propertyType = QMetaType::QDate;
            break;
        default:
            qCDebug(lcRtf) << "unhandled value type in UserPropsDestination:" << parameter;
            break;
        }
        break;
    }
}

void UserPropsDestination::handlePlainText(const QByteArray &plainText)
{
    if (m_nextPlainTextIsPropertyName) {
        if (!m_nameOpen) {
            m_nameBytes.clear();
            m_nameOpen = true;
        }
        m_nameBytes.append(plainText);
        m_nameChanged = true;
        return;
    }

    if (!m_valueOpen) {
        m_valueBytes.clear();
        m_valueOpen = true;
        m_storedValueSize = 0;
    }
    m_valueBytes.append(plainText);
    m_valuePending = true;
    if (m_valueBytes.size() >= 2 * m_storedValueSize)
        storeProperty();
}

void UserPropsDestination::aboutToEndDestination()
{
    storePendingProperty();
}

void UserPropsDestination::storePendingProperty()
{
    if (m_valuePending)
        storeProperty();
}

void UserPropsDestination::storeProperty()
{
    if (m_nameChanged) {
        m_propertyName = withoutControlCharacters(CodePage::fromUtf8OrWindows1252(m_nameBytes));
        m_nameChanged = false;
    }
    m_output->addUserProp(m_propertyName, typedValue());
    m_storedValueSize = m_valueBytes.size();
    m_valuePending = false;
}

QVariant UserPropsDestination::typedValue() const
{
    if (m_propertyType == QMetaType::QString)
        return QVariant(m_valueBytes);

    bool ok = false;
    QVariant value;
    if (m_valueBytes.size() <= maximumTypedValueSize) {
        const QByteArray text = m_valueBytes.trimmed();
        switch (m_propertyType) {
        case QMetaType::Int:
            value = QVariant(text.toInt(&ok));
            break;
        case QMetaType::Double:
            value = QVariant(text.toDouble(&ok));
            break;
        case QMetaType::Bool:
            // 0 is false, any other number true.
            value = QVariant(text.toLongLong(&ok) != 0);
            break;
        case QMetaType::QDate: {
            // "2001-02-03", also with a time part ("2001-02-03T04:05:06Z"),
            // which a date does not keep.
            const QDate date = QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
            ok = date.isValid();
            value = QVariant(date);
            break;
        }
        default:
            break;
        }
    }
    if (ok)
        return value;

    // Nothing is thrown away: a value that does not convert is kept as text.
    qCDebug(lcRtf) << "unhandled value type in UserPropsDestination:" << m_propertyType;
    return QVariant(m_valueBytes);
}

} // namespace Tavisk

#include "controlword_p.h"

#include <QHash>
#include <QSet>

namespace Tavisk
{

namespace
{
using Vocabulary = QHash<QString, ControlWordType>;

const Vocabulary &vocabulary()
{
    // Built once, on the first lookup; the static's initialisation is
    // thread-safe, and the table is only read afterwards.
    static const Vocabulary table = [] {
        Vocabulary words;
        words.reserve(1813);
        for (const ControlWordEntry &entry : controlWordEntries())
            words.insert(QString::fromLatin1(entry.name), entry.type);
        return words;
    }();
    return table;
}

const QSet<QString> &supportedDestinations()
{
    static const QSet<QString> names = {
        QStringLiteral("pict"),      QStringLiteral("fonttbl"),  QStringLiteral("stylesheet"),
        QStringLiteral("colortbl"),  QStringLiteral("info"),     QStringLiteral("title"),
        QStringLiteral("generator"), QStringLiteral("company"),  QStringLiteral("creatim"),
        QStringLiteral("printim"),   QStringLiteral("revtim"),   QStringLiteral("operator"),
        QStringLiteral("comment"),   QStringLiteral("subject"),  QStringLiteral("manager"),
        QStringLiteral("category"),  QStringLiteral("doccomm"),  QStringLiteral("keywords"),
        QStringLiteral("hlinkbase"), QStringLiteral("userprops"), QStringLiteral("author"),
        QStringLiteral("pgdsc"),     QStringLiteral("pgdsctbl"), QStringLiteral("shppict"),
        QStringLiteral("shp"),       QStringLiteral("shpinst"),  QStringLiteral("pntxta"),
        QStringLiteral("pntxtb"),    QStringLiteral("mmathPr"),
    };
    return names;
}
// The vocabulary and the supported set in one table keyed by the name bytes,
// for the parse loop, which classifies every control token.
const QHash<QByteArray, ControlWordClass> &classTable()
{
    static const QHash<QByteArray, ControlWordClass> table = [] {
        QHash<QByteArray, ControlWordClass> classes;
        classes.reserve(1813);
        for (const ControlWordEntry &entry : controlWordEntries())
            classes.insert(QByteArray(entry.name), ControlWordClass{true, false});
        for (const QString &name : supportedDestinations()) {
            ControlWordClass &wordClass = classes[name.toLatin1()];
            wordClass.known = vocabulary().contains(name);
            wordClass.supportedDestination = true;
        }
        return classes;
    }();
    return table;
}
} // namespace

ControlWordClass classifyControlWord(const QByteArray &name)
{
    return classTable().value(name);
}

ControlWord::ControlWord(const QString &name)
    : m_name(name)
{
}

bool ControlWord::isKnown() const
{
    return vocabulary().contains(m_name);
}

bool ControlWord::isDestination(const QString &name)
{
    const auto it = vocabulary().constFind(name);
    return it != vocabulary().constEnd() && it.value() == ControlWordType::Destination;
}

bool ControlWord::isSupportedDestination() const
{
    return supportedDestinations().contains(m_name);
}

} // namespace Tavisk

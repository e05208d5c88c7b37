#include "controlword_p.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <algorithm>

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
        // Fields, bookmarks, notes, comments, headers and footers, shapes
        QStringLiteral("field"),     QStringLiteral("fldinst"),  QStringLiteral("bkmkstart"),
        QStringLiteral("bkmkend"),   QStringLiteral("footnote"), QStringLiteral("annotation"),
        QStringLiteral("atnid"),     QStringLiteral("atnauthor"), QStringLiteral("atnref"),
        QStringLiteral("atndate"),   QStringLiteral("atrfstart"), QStringLiteral("atrfend"),
        QStringLiteral("header"),    QStringLiteral("headerl"),  QStringLiteral("headerr"),
        QStringLiteral("headerf"),   QStringLiteral("footer"),   QStringLiteral("footerl"),
        QStringLiteral("footerr"),   QStringLiteral("footerf"),  QStringLiteral("shptxt"),
        QStringLiteral("shprslt"),   QStringLiteral("do"),       QStringLiteral("dptxbxtext"),
    };
    return names;
}
// The vocabulary and the supported set in one table keyed by the name bytes,
// for the parse loop, which classifies every control token: open addressing
// over a power-of-two array, with a hash computed inline, so that a lookup
// costs little more than comparing the name once.
class ClassTable
{
public:
    ClassTable()
    {
        m_slots.resize(4096); // more than twice the 1813 words
        for (const ControlWordEntry &entry : controlWordEntries())
            slotFor(QByteArray(entry.name)) = {QByteArray(entry.name), ControlWordClass{true, false}};
        for (const QString &name : supportedDestinations()) {
            const QByteArray bytes = name.toLatin1();
            Slot &slot = slotFor(bytes);
            slot.name = bytes;
            slot.wordClass.known = vocabulary().contains(name);
            slot.wordClass.supportedDestination = true;
        }
    }

    ControlWordClass classify(const QByteArray &name) const
    {
        const qsizetype mask = m_slots.size() - 1;
        for (qsizetype i = hash(name) & mask;; i = (i + 1) & mask) {
            const Slot &slot = m_slots.at(i);
            if (slot.name.isNull())
                return ControlWordClass();
            if (slot.name.size() == name.size()
                && std::equal(name.constData(), name.constData() + name.size(), slot.name.constData()))
                return slot.wordClass;
        }
    }

private:
    struct Slot {
        QByteArray name;
        ControlWordClass wordClass;
    };

    static qsizetype hash(const QByteArray &name)
    {
        quint32 h = 2166136261u;
        for (const char c : name)
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return qsizetype(h ^ (h >> 16));
    }

    Slot &slotFor(const QByteArray &name)
    {
        const qsizetype mask = m_slots.size() - 1;
        qsizetype i = hash(name) & mask;
        while (!m_slots.at(i).name.isNull() && m_slots.at(i).name != name)
            i = (i + 1) & mask;
        return m_slots[i];
    }

    QList<Slot> m_slots;
};

const ClassTable &classTable()
{
    static const ClassTable table;
    return table;
}
} // namespace

ControlWordClass classifyControlWord(const QByteArray &name)
{
    return classTable().classify(name);
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

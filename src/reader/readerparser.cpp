// The parse loop: routes the tokens of the document to a stack of
// destinations, one for each group that opened a destination.

#include "reader_p.h"

#include "controlword/controlword_p.h"
#include "logging_p.h"
#include "tokenizer/tokenizer.h"

#include "destinations/destination.h"
#include "destinations/destinationtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <QDebug>

#include <algorithm>

namespace Tavisk
{

namespace
{
// A parameter is converted like QString::toInt in base 10: digits with an
// optional leading '-'; anything else (no digit, a '-' elsewhere), or a value
// outside 32 bits, gives 0. The tokenizer puts only digits and '-' into a
// parameter, so reading them directly gives the same values without the
// general conversion.
inline int parameterValue(const Token &token)
{
    if (!token.hasParameter)
        return 0;
    const QChar *c = token.parameter.constData();
    const QChar *const end = c + token.parameter.size();
    const bool negative = c != end && *c == QLatin1Char('-');
    if (negative)
        ++c;
    if (c == end)
        return 0;
    // The magnitude stops growing past the 32-bit range, so leading zeros of
    // any length still give their value and an overflow cannot wrap.
    constexpr qint64 limit = qint64(1) << 31;
    qint64 magnitude = 0;
    for (; c != end; ++c) {
        const char16_t digit = c->unicode();
        if (digit < u'0' || digit > u'9')
            return 0;
        magnitude = std::min(magnitude * 10 + (digit - u'0'), limit + 1);
    }
    if (negative)
        return magnitude <= limit ? int(-magnitude) : 0;
    return magnitude < limit ? int(magnitude) : 0;
}
// Whether a word's name is @p name, compared inline: the loop asks twice for
// every control word.
template<std::size_t N>
inline bool isName(const QByteArray &word, const char (&name)[N])
{
    return word.size() == qsizetype(N - 1) && std::equal(name, name + N - 1, word.constData());
}
} // namespace

void ReaderPrivate::parseDocument(Tokenizer &tokenizer)
{
    m_debugEnabled = lcRtf().isDebugEnabled();
    m_stateStack.push_back(GroupState{true, true, 1});
    m_unicodeFallback = UnicodeFallback();
    m_destinationStack.emplace_back(makeDestination(QStringLiteral("rtf")));
    m_debugIndent = m_debugEnabled ? QStringLiteral("\t") : QString();
    m_atGroupStart = false;
    m_ignorable = false;

    for (;;) {
        const Token token = tokenizer.fetchToken();
        switch (token.type) {
        case OpenGroup:
            handleOpenGroup();
            break;
        case CloseGroup:
            if (handleCloseGroup())
                return;
            break;
        case Control:
            handleControlWord(token);
            break;
        case Plain:
            if (m_unicodeFallback.isActive()) {
                m_unicodeFallback.takeText(token.name,
                                           [this](const QByteArray &text) { topDestination()->handlePlainText(text); });
            } else {
                topDestination()->handlePlainText(token.name);
            }
            break;
        case Binary:
            // The data of \binN: only a picture has a use for it. The log
            // gives its size; the bytes themselves may be megabytes.
            qCDebug(lcRtf) << "binary data:" << token.name.size() << "bytes";
            topDestination()->handleBinaryData(token.name);
            break;
        case EndOfFile:
            // Groups left open stay on the stacks; their destinations are not
            // ended and are deleted with the reader or at the next parse.
            return;
        default:
            qCDebug(lcRtf) << "Unexpected token Type";
            break;
        }
    }
}

bool ReaderPrivate::handleOpenGroup()
{
    m_unicodeFallback.endAtGroupBoundary();
    m_stateStack.push_back(GroupState{false, false, m_stateStack.back().unicodeSkip});
    m_output->startGroup();
    m_atGroupStart = true;
    if (m_debugEnabled)
        m_debugIndent.append(QLatin1Char('\t'));
    return false;
}

bool ReaderPrivate::handleCloseGroup()
{
    m_unicodeFallback.endAtGroupBoundary();
    if (m_debugEnabled)
        m_debugIndent.remove(0, 1);
    const GroupState state = m_stateStack.back();
    m_stateStack.pop_back();
    if (!state.endsDocument)
        m_output->endGroup();
    if (state.destinationChanged) {
        // The output hears of the group's end before the destination does.
        const std::unique_ptr<Destination> destination = std::move(m_destinationStack.back());
        m_destinationStack.pop_back();
        destination->aboutToEndDestination();
    }
    m_atGroupStart = true;
    return state.endsDocument;
}

void ReaderPrivate::handleControlWord(const Token &token)
{
    // A control word or symbol right after \u may be (part of) its
    // fallback: an older reader takes it for one character.
    if (m_unicodeFallback.takeControl()) {
        qCDebug(lcRtf) << "skipping fallback control word:" << token.name;
        m_atGroupStart = false;
        return;
    }
    const ControlWordClass controlWord = classifyControlWord(token.name);
    if (!controlWord.known)
        qCDebug(lcRtf) << "*** Unrecognised control word (not in the RTF 1.9.1 vocabulary): " << token.name;

    bool openDestination = false;
    if (m_atGroupStart) {
        if (controlWord.supportedDestination) {
            openDestination = true;
        } else if (m_ignorable) {
            qCDebug(lcRtf) << "ignorable destination word:" << token.name;
            changeDestination(QStringLiteral("ignorable"));
            m_ignorable = false;
            m_atGroupStart = false;
            return;
        } else {
            m_atGroupStart = false;
        }
    }

    if (openDestination) {
        changeDestination(QString::fromUtf8(token.name));
        m_ignorable = false;
        m_atGroupStart = false;
        return;
    }

    if (isName(token.name, "*")) {
        m_ignorable = true;
        m_atGroupStart = true;
    }
    const int parameter = parameterValue(token);
    topDestination()->handleControlWord(token.name, token.hasParameter, parameter);
    // \uN and \ucN: the fallback that follows \u is dropped here, for every
    // destination, with the length of the innermost group's last \uc.
    if (token.hasParameter && token.name.size() <= 2 && token.name.at(0) == 'u') {
        if (token.name.size() == 1)
            m_unicodeFallback.startFallback(m_stateStack.back().unicodeSkip);
        else if (token.name.at(1) == 'c')
            m_stateStack.back().unicodeSkip = UnicodeFallback::skipCount(parameter);
    }
}

void ReaderPrivate::changeDestination(const QString &destinationName)
{
    // Inside an ignored destination nothing opens a destination of its own.
    if (topDestination()->name() == QLatin1String("ignorable"))
        return;
    // Nor inside one that reads or drops all of its groups itself.
    Destination *const enclosing = topDestination();
    if (!enclosing->allowsNestedDestination(destinationName))
        return;

    m_destinationStack.emplace_back(makeDestination(destinationName));
    m_destinationStack.back()->setEnclosingDestination(enclosing);
    m_stateStack.back().destinationChanged = true;

    if (m_debugEnabled) {
        QStringList names;
        names.reserve(qsizetype(m_destinationStack.size()));
        for (const auto &destination : m_destinationStack)
            names.append(destination->name());
        qCDebug(lcRtf) << m_debugIndent << "destinationStack after changeDestination (" << names << ")";
    }
}

Destination *ReaderPrivate::makeDestination(const QString &destinationName) const
{
    // The enclosing destination may read the group itself.
    if (!m_destinationStack.empty()) {
        if (Destination *nested = m_destinationStack.back()->createNestedDestination(destinationName))
            return nested;
    }
    return DestinationTable::create(m_output, destinationName).release();
}

} // namespace Tavisk

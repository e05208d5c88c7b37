#ifndef TAVISK_UNICODEFALLBACK_P_H
#define TAVISK_UNICODEFALLBACK_P_H

#include "reader/logging_p.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QtGlobal>

namespace Tavisk
{

/**
 * The rules of RTF's Unicode escape: \uN gives one UTF-16 code unit and is
 * followed by a fallback for readers that do not know \u, whose length \ucN
 * sets (one by default). The fallback is dropped here.
 *
 * The parse loop owns one of these and runs every token through it, in
 * whatever destination the \u stands, so the destinations only ever see the
 * \u itself. The fallback counts characters as an older reader would see
 * them: each byte of text (a \'hh escape is one byte) and each control word
 * or control symbol is one; a group brace ends it early, since a fallback
 * never reaches past its group ({\u8226}First keeps "First").
 *
 * The length set by \uc belongs to the group it stands in; the parse loop
 * keeps it with each open group and passes it to startFallback().
 */
class UnicodeFallback
{
public:
    /// The one UTF-16 code unit of \uN: the low 16 bits of N, which most
    /// writers give as a signed 16-bit number (\u-3913 is U+F0B7).
    static QChar character(int parameter)
    {
        return QChar(char16_t(quint32(parameter) & 0xFFFF));
    }

    /// The fallback length that \ucN sets: N, never below 0.
    static int skipCount(int parameter)
    {
        return parameter > 0 ? parameter : 0;
    }

    /// \uN was read: a fallback of @p count characters starts now.
    void startFallback(int count)
    {
        m_pending = count;
    }

    /// Whether a fallback is still being dropped.
    bool isActive() const
    {
        return m_pending > 0;
    }

    /// A group brace: whatever is left of the fallback is not dropped.
    void endAtGroupBoundary()
    {
        m_pending = 0;
    }

    /// A control word or control symbol: returns true when it is a
    /// character of the fallback and must be dropped.
    bool takeControl()
    {
        if (m_pending <= 0)
            return false;
        --m_pending;
        return true;
    }

    /// Hands @p text to @p deliver, less the fallback bytes still pending at
    /// its start; calls nothing when the whole run is fallback.
    template<typename Deliver>
    void takeText(const QByteArray &text, Deliver &&deliver)
    {
        if (m_pending <= 0) {
            deliver(text);
            return;
        }
        qCDebug(lcRtf) << "skipping" << m_pending << "of" << text;
        if (m_pending >= text.size()) {
            m_pending -= text.size();
            return;
        }
        deliver(text.mid(m_pending));
        m_pending = 0;
    }

private:
    qint64 m_pending = 0;
};

/**
 * Turns the code units of consecutive \uN words into text: a high surrogate
 * waits for the low surrogate of the next \u (\u-10179?\u-8704? is U+1F600),
 * a surrogate without its partner becomes U+FFFD, and control characters
 * (U+0000 to U+001F other than tab, and U+007F) are dropped, as they are in
 * text runs.
 *
 * The destination that reads \u text keeps the waiting high surrogate (0
 * for none) and works on it through a UnicodeCharacters made for the call;
 * it calls interrupt() before anything else it receives, so that a high
 * surrogate followed by something other than a \u is not lost.
 */
class UnicodeCharacters
{
public:
    /// @param high the waiting high surrogate, 0 for none
    explicit UnicodeCharacters(char16_t &high)
        : m_high(high)
    {
    }

    /// The text that \uN with @p parameter adds; empty when it adds nothing
    /// yet (a high surrogate waiting) or nothing at all (a control character).
    QString take(int parameter)
    {
        const char16_t unit = UnicodeFallback::character(parameter).unicode();
        // The common case, one character of the BMP: a string of one
        // character that refers to a table of them all, not allocated.
        if (!m_high && !QChar::isSurrogate(unit))
            return isControl(unit) ? QString() : QString::fromRawData(reinterpret_cast<const QChar *>(everyUnit() + unit), 1);
        if (m_high && QChar::isLowSurrogate(unit)) {
            const QChar pair[2] = {QChar(m_high), QChar(unit)};
            m_high = 0;
            return QString(pair, 2);
        }
        // A high surrogate left without its partner, then this unit.
        QString text;
        if (m_high) {
            text.append(QChar(QChar::ReplacementCharacter));
            m_high = 0;
        }
        if (QChar::isHighSurrogate(unit))
            m_high = unit;
        else if (QChar::isLowSurrogate(unit))
            text.append(QChar(QChar::ReplacementCharacter));
        else if (!isControl(unit))
            text.append(QChar(unit));
        return text;
    }

    /// Whether a high surrogate waits for its partner.
    bool isWaiting() const
    {
        return m_high != 0;
    }

    /// Something other than a \u came: a waiting high surrogate has no
    /// partner and becomes U+FFFD, which is returned; otherwise empty.
    QString interrupt()
    {
        if (!m_high)
            return QString();
        m_high = 0;
        return QString(QChar(QChar::ReplacementCharacter));
    }

private:
    /// Every UTF-16 code unit, at its own index.
    static const char16_t *everyUnit();
    static bool isControl(char16_t unit)
    {
        return (unit < 0x20 && unit != u'\t') || unit == 0x7F;
    }

    char16_t &m_high;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_UNICODEFALLBACK_P_H
#define TAVISK_UNICODEFALLBACK_P_H

#include "reader/logging_p.h"

#include <QByteArray>
#include <QChar>
#include <QtGlobal>

namespace Tavisk
{

/**
 * The rules of RTF's Unicode escape: \uN gives one UTF-16 code unit and is
 * followed by a fallback for readers that do not know \u, whose length \ucN
 * sets (one by default). The fallback is dropped here.
 *
 * The two counters belong to the destination that reads the text (the
 * document body and the information items keep them as m_charactersToSkip
 * and m_unicodeSkip); this class works on them in place, so it costs nothing
 * to create one for each word or text run.
 *
 * Only plain-text bytes count against the fallback: control words and group
 * boundaries between a \u and its fallback do not reduce it.
 */
class UnicodeFallback
{
public:
    /// @param pending bytes of plain text still to be dropped
    /// @param skipCount fallback length of each \u, as last set by \uc
    UnicodeFallback(qint64 &pending, int &skipCount)
        : m_pending(pending)
        , m_skipCount(skipCount)
    {
    }

    /// The one UTF-16 code unit of \uN: the low 16 bits of N, which most
    /// writers give as a signed 16-bit number (\u-3913 is U+F0B7).
    static QChar character(int parameter)
    {
        return QChar(char16_t(quint32(parameter) & 0xFFFF));
    }

    /// \uN was read: its fallback starts now.
    void startFallback()
    {
        m_pending = m_skipCount;
    }

    /// \ucN: the fallback of each later \u is @p count bytes long.
    void setSkipCount(int count)
    {
        m_skipCount = count;
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
    qint64 &m_pending;
    int &m_skipCount;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_INFOTIMEDESTINATION_H
#define TAVISK_INFOTIMEDESTINATION_H

#include "destination.h"

#include <QDateTime>

namespace Tavisk
{

/**
 * Base of the date-time items of the information group,
 * {\\creatim\\yr2001\\mo2\\dy3\\hr4\\min5} and its siblings.
 *
 * Collects year, month, day, hour and minute and hands dateTime() to one
 * setter of the output when the group closes; the subclasses only name
 * their setter. All five start at 0, so a group
 * without \\hr or \\min gives midnight and a group without \\yr, \\mo or \\dy an
 * invalid date-time.
 */
class TAVISK_EXPORT InfoTimeDestination : public Destination
{
public:
    /// An output operation that takes a moment of the document's history
    /// (&AbstractRtfOutput::setCreatedDateTime, ...).
    using DateTimeSetter = void (AbstractRtfOutput::*)(const QDateTime &dateTime);

    /**
     * @param output the output that receives the moment
     * @param name the destination word without backslash ("creatim", ...)
     * @param setter the output operation that receives dateTime() when the
     *        group closes; without one the moment is only collected
     */
    InfoTimeDestination(AbstractRtfOutput *output, const QString &name, DateTimeSetter setter = nullptr);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    /// Calls the setter with dateTime(), if there is one.
    void aboutToEndDestination() override;

    /// The collected moment in local time; seconds are always 0.
    QDateTime dateTime() const;

private:
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
    int m_hour = 0;
    int m_minute = 0;
    DateTimeSetter m_setter;
};

} // namespace Tavisk

#endif

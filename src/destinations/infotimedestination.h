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
 * Collects year, month, day, hour and minute; the subclasses hand dateTime()
 * to their setter when the group closes. All five start at 0, so a group
 * without \\hr or \\min gives midnight and a group without \\yr, \\mo or \\dy an
 * invalid date-time.
 */
class TAVISK_EXPORT InfoTimeDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    InfoTimeDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override = 0;

    /// The collected moment in local time; seconds are always 0.
    QDateTime dateTime() const;

private:
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
    int m_hour = 0;
    int m_minute = 0;
};

} // namespace Tavisk

#endif

#ifndef TAVISK_LISTOVERRIDETABLEDESTINATION_H
#define TAVISK_LISTOVERRIDETABLEDESTINATION_H

#include "destination.h"

#include <QMap>

namespace Tavisk
{

/**
 * The list override table, {\\*\\listoverridetable {\\listoverride \\listidN
 * \\listoverridecount0 \\lsM} ...}: the numbers (\\lsM) by which paragraphs
 * name a list of the list table (\\listidN).
 *
 * Each {\\listoverride ...} with an \\ls becomes one
 * AbstractRtfOutput::defineListOverride() call. An override may restart the
 * numbering of levels: each {\\lfolevel ...} stands for the next level, and
 * one that says \\listoverridestartat gives that level's new start with
 * \\levelstartatN. Other level overrides (\\listoverrideformat) are not read.
 * The groups open no destinations of their own, so the words \\listoverride
 * and \\lfolevel say where an override or level starts.
 */
class TAVISK_EXPORT ListOverrideTableDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    ListOverrideTableDestination(AbstractRtfOutput *output, const QString &name);
    /// Destroys the handler.
    ~ListOverrideTableDestination() override;

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void aboutToEndDestination() override;

private:
    void finishOverride();
    void finishLevel();

    QMap<int, int> m_startAt;
    int m_listId = 0;
    int m_overrideNumber = 0;
    int m_level = -1; // the {\lfolevel} being read, counted from 0
    int m_levelStartAt = 1;
    bool m_inOverride = false;
    bool m_haveOverrideNumber = false;
    bool m_levelRestarts = false; // \listoverridestartat in this \lfolevel
};

} // namespace Tavisk

#endif

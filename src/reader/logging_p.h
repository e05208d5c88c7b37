#ifndef TAVISK_LOGGING_P_H
#define TAVISK_LOGGING_P_H

#include <QLoggingCategory>

// The library's one logging category, "tavisk". Its lowest enabled level is
// QtInfoMsg, so debug messages stay off until the application enables them
// (for example with the rule "tavisk.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcRtf)

#endif

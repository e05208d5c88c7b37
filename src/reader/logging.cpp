#include "logging_p.h"

Q_LOGGING_CATEGORY(lcRtf, "tavisk", QtInfoMsg)

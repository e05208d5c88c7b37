// Tests of the destination handlers: each is driven through a Reader from a
// small RTF text, and the calls that reach a recording output are compared.

#include "recordingoutput.h"
#include "testhelpers.h"

#include <QTest>

using namespace Tavisk;

class DestinationsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- document body ----

    // ---- font and colour tables ----

    // ---- style sheet, pictures and information group ----
};

// ---- document body ----

// ---- font and colour tables ----

// ---- style sheet, pictures and information group ----

QTEST_GUILESS_MAIN(DestinationsTest)

#include "destinationstest.moc"

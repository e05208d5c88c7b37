#include <tavisk/destinations/documentdestination.h>
#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

int main()
{
    // Links against the installed library; a reader without a file refuses
    // to parse.
    Tavisk::Reader reader;
    return reader.parseTo(nullptr) ? 1 : 0;
}

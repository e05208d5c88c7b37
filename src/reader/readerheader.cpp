// The RTF header check: a document starts with "{\rtf1" (or "{\rtf", "{\rtf0"),
// after white space or a UTF-8 byte order mark at most.

#include "reader_p.h"

#include "logging_p.h"
#include "tokenizer/tokenizer.h"

namespace Tavisk
{

bool ReaderPrivate::parseFileHeader(Tokenizer &tokenizer)
{
    // All checks run, so a bad file reports every way in which it is bad.
    // The decision comes from the first bytes: the tokens are read with a
    // bound on their length, and when the file does not start with a brace
    // nothing more is read (the second token then counts as missing), so
    // anything that is not RTF, a file of NUL bytes or an endless device, is
    // refused at once.
    bool result = true;

    tokenizer.skipSpaceBeforeDocument();
    const Token openingBrace = tokenizer.fetchHeaderToken();
    const bool startsWithBrace = openingBrace.type == OpenGroup;
    if (!startsWithBrace) {
        qCDebug(lcRtf) << "Not an RTF file";
        result = false;
    }

    const Token headerWord = startsWithBrace ? tokenizer.fetchHeaderToken() : Token();
    if (headerWord.type != Control) {
        qCDebug(lcRtf) << "Not an RTF file - wrong document type";
        result = false;
    }

    bool ok = false;
    int version = headerWord.parameter.toInt(&ok, 10);
    if (!ok)
        version = 0;
    if (!headerFormatIsKnown(QString::fromUtf8(headerWord.name), version)) {
        qCDebug(lcRtf) << "Not a valid RTF file - unknown header";
        result = false;
    }

    return result;
}

bool ReaderPrivate::headerFormatIsKnown(const QString &name, int version)
{
    if (name == QLatin1String("rtf")) {
        // Writers that leave out the version, or write 0, mean version 1.
        if (version == 1 || version == 0)
            return true;
        qCDebug(lcRtf) << "unknown / unexpected header token value:" << version;
        return false;
    }
    qCDebug(lcRtf) << "unknown / unexpected header token name:" << name;
    return false;
}

} // namespace Tavisk

// The RTF header check: a document starts with "{\rtf1".

#include "reader_p.h"

#include "logging_p.h"
#include "tokenizer/tokenizer.h"

namespace Tavisk
{

bool ReaderPrivate::parseFileHeader(Tokenizer &tokenizer)
{
    // All checks run, so a bad file reports every way in which it is bad, and
    // exactly two tokens are consumed.
    bool result = true;

    const Token openingBrace = tokenizer.fetchToken();
    if (openingBrace.type != OpenGroup) {
        qCDebug(lcRtf) << "Not an RTF file";
        result = false;
    }

    const Token headerWord = tokenizer.fetchToken();
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
        if (version == 1)
            return true;
        qCDebug(lcRtf) << "unknown / unexpected header token value:" << version;
        return false;
    }
    qCDebug(lcRtf) << "unknown / unexpected header token name:" << name;
    return false;
}

} // namespace Tavisk

#include <tavisk/reader.h>

#include "reader_p.h"

#include "destinations/destination.h"
#include "textdocument/textdocumentrtfoutput_p.h"
#include "tokenizer/tokenizer.h"

#include <QFile>

namespace Tavisk
{

Reader::Reader(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<ReaderPrivate>())
{
}

Reader::~Reader() = default;

bool Reader::open(const QString &fileName)
{
    return d->open(fileName);
}

void Reader::close()
{
    d->close();
}

QString Reader::fileName() const
{
    return d->fileName();
}

bool Reader::parseTo(AbstractRtfOutput *output)
{
    return d->parseTo(output);
}

ReaderPrivate::ReaderPrivate() = default;

ReaderPrivate::~ReaderPrivate()
{
    close();
    // Destinations of groups the input never closed: deleted without being
    // told that they end.
    for (Destination *destination : std::as_const(m_destinationStack))
        delete destination;
}

bool ReaderPrivate::open(const QString &fileName)
{
    // A file still held from an earlier open() would otherwise leak.
    close();
    m_inputDevice = new QFile(fileName);
    return m_inputDevice->open(QIODevice::ReadOnly);
}

void ReaderPrivate::close()
{
    if (!m_inputDevice)
        return;
    m_inputDevice->close();
    delete m_inputDevice;
    m_inputDevice = nullptr;
}

QString ReaderPrivate::fileName() const
{
    if (m_inputDevice && m_inputDevice->exists())
        return m_inputDevice->fileName();
    return QString();
}

bool ReaderPrivate::parseTo(AbstractRtfOutput *output)
{
    if (!m_inputDevice || !m_inputDevice->isOpen() || !output)
        return false;
    m_output = output;
    // A document output gathers consecutive text for the parse; what is
    // left is inserted before parseTo returns.
    const TextDocumentRtfOutputBatch batch(output);
    return parseFile();
}

bool ReaderPrivate::parseFile()
{
    Tokenizer tokenizer(m_inputDevice);
    if (!parseFileHeader(tokenizer))
        return false;
    parseDocument(tokenizer);
    return true;
}

} // namespace Tavisk

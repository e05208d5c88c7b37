#include <tavisk/reader.h>

#include "reader_p.h"

#include "destinations/destination.h"
#include "tokenizer/tokenizer.h"

#include <tavisk/abstractrtfoutput.h>

#include <QFile>
#include <QFileInfo>

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

bool Reader::open(QIODevice *device)
{
    return d->open(device);
}

void Reader::close()
{
    d->close();
}

QString Reader::fileName() const
{
    return d->fileName();
}

QString Reader::errorString() const
{
    return d->m_errorString;
}

bool Reader::parseTo(AbstractRtfOutput *output)
{
    return d->parseTo(output);
}

ReaderPrivate::ReaderPrivate() = default;

ReaderPrivate::~ReaderPrivate()
{
    close();
    // Destinations of groups the input never closed are deleted with the
    // stack, without being told that they end.
}

bool ReaderPrivate::open(const QString &fileName)
{
    close();
    m_errorString.clear();
    // QFile opens a folder without complaint on some systems; reading it
    // would only fail later with a less useful reason.
    if (QFileInfo(fileName).isDir()) {
        m_errorString = QStringLiteral("cannot open: Is a directory");
        return false;
    }
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly)) {
        m_errorString = QStringLiteral("cannot open: %1").arg(file->errorString());
        return false;
    }
    m_file = std::move(file);
    m_inputDevice = m_file.get();
    return true;
}

bool ReaderPrivate::open(QIODevice *device)
{
    close();
    m_errorString.clear();
    if (!device) {
        m_errorString = QStringLiteral("cannot open: no device");
        return false;
    }
    if (device->isOpen()) {
        if (!device->isReadable()) {
            m_errorString = QStringLiteral("cannot open: the device is not open for reading");
            return false;
        }
    } else {
        if (!device->open(QIODevice::ReadOnly)) {
            m_errorString = QStringLiteral("cannot open: %1").arg(device->errorString());
            return false;
        }
        m_closeDevice = true;
    }
    m_inputDevice = device;
    return true;
}

void ReaderPrivate::close()
{
    if (m_closeDevice && m_inputDevice)
        m_inputDevice->close();
    m_closeDevice = false;
    m_inputDevice = nullptr;
    m_file.reset();
}

QString ReaderPrivate::fileName() const
{
    if (m_file && m_file->exists())
        return m_file->fileName();
    return QString();
}

bool ReaderPrivate::parseTo(AbstractRtfOutput *output)
{
    m_errorString.clear();
    if (!m_inputDevice || !m_inputDevice->isOpen()) {
        m_errorString = QStringLiteral("no input is open");
        return false;
    }
    if (!output) {
        m_errorString = QStringLiteral("no output was given");
        return false;
    }
    m_output = output;
    m_output->beginParse();
    const bool accepted = parseFile();
    m_output->endParse();
    if (!accepted)
        m_errorString = QStringLiteral("not an RTF file (it does not start with {\\rtf)");
    return accepted;
}

bool ReaderPrivate::parseFile()
{
    // Each parse starts from empty stacks: what an earlier parse of a
    // truncated document left open has nothing to do with this one.
    m_destinationStack.clear();
    m_stateStack.clear();
    Tokenizer tokenizer(m_inputDevice);
    // Whether a byte starts a two-byte character depends on the current
    // font's code page, which the output follows.
    tokenizer.setLeadByteTest(
        [](const void *output, unsigned char byte) {
            return static_cast<const AbstractRtfOutput *>(output)->isLeadByte(byte);
        },
        m_output);
    if (!parseFileHeader(tokenizer))
        return false;
    parseDocument(tokenizer);
    return true;
}

} // namespace Tavisk

// libFuzzer target: parses its input as an RTF file into a QTextDocument and
// into a recording output, and aborts on anything the reader must never do
// (an endGroup that answers no startGroup; crashes and leaks are caught by the
// sanitizers).

#include "recordingoutput.h"

#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>
#include <memory>

namespace
{
QString inputPath;

bool writeInput(const uint8_t *data, size_t size)
{
    QFile file(inputPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app(new QGuiApplication(*argc, *argv));
    inputPath = QDir::temp().filePath(QStringLiteral("tavisk-fuzz-%1.rtf").arg(QCoreApplication::applicationPid()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!writeInput(data, size))
        std::abort();

    {
        Tavisk::Reader reader;
        if (!reader.open(inputPath))
            std::abort();
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        Tavisk::TextDocumentRtfOutput output(&document);
        reader.parseTo(&output);
        // Lay the document out as a viewer would.
        (void)document.toPlainText();
    }
    {
        Tavisk::Reader reader;
        if (!reader.open(inputPath))
            std::abort();
        RecordingOutput output;
        output.maxCalls = 64;
        reader.parseTo(&output);
        if (output.unbalancedEndGroup || output.endGroups > output.startGroups)
            std::abort();
    }
    return 0;
}

// libFuzzer target: parses its input as an RTF document, from memory, into a
// QTextDocument and into a recording output, and aborts on anything the reader
// must never do (an endGroup that answers no startGroup; crashes and leaks are
// caught by the sanitizers).

#include "recordingoutput.h"

#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app(new QGuiApplication(*argc, *argv));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The fuzzer's bytes are read in place, without a copy.
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QBuffer buffer;
        buffer.setData(input);
        Tavisk::Reader reader;
        if (!reader.open(&buffer))
            std::abort();
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        Tavisk::TextDocumentRtfOutput output(&document);
        (void)reader.parseTo(&output);
        // Lay the document out as a viewer would.
        (void)document.toPlainText();
    }
    {
        QBuffer buffer;
        buffer.setData(input);
        Tavisk::Reader reader;
        if (!reader.open(&buffer))
            std::abort();
        RecordingOutput output;
        output.maxCalls = 64;
        (void)reader.parseTo(&output);
        if (output.unbalancedEndGroup || output.endGroups > output.startGroups)
            std::abort();
    }
    return 0;
}

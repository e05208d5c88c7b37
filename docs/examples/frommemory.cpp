// Reads RTF that is already in memory, here a literal; in an application it
// comes from the clipboard, a database or the network.

#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

#include <QBuffer>
#include <QDebug>
#include <QGuiApplication>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);

    //! [memory]
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                           "{\\info{\\title Note}}\\f0 Caf\\'e9 at {\\b nine}.\\par}";

    // Any QIODevice will do; the reader opens the buffer and closes it again.
    QBuffer buffer;
    buffer.setData(rtf);

    QTextDocument document;
    Tavisk::TextDocumentRtfOutput output(&document);
    Tavisk::Reader reader;
    if (!reader.open(&buffer) || !reader.parseTo(&output)) {
        qWarning() << "not read:" << reader.errorString();
        return 1;
    }

    // Or in one call, when only the document is wanted:
    QTextDocument copy;
    QString error;
    if (!Tavisk::TextDocumentRtfOutput::fromRtf(rtf, &copy, &error))
        return 1;
    //! [memory]

    QTextStream(stdout) << output.title() << ": " << document.toPlainText() << '\n';
    const QString expected = QStringLiteral("Caf\u00e9 at nine.\n");
    return document.toPlainText() == expected && copy.toPlainText() == expected ? 0 : 1;
}

// Reads RTF that is already in memory, here a literal; in an application it
// comes from the clipboard, a database or the network.

#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

#include <QGuiApplication>
#include <QTemporaryFile>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);

    //! [memory]
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                           "{\\info{\\title Note}}\\f0 Caf\\'e9 at {\\b nine}.\\par}";

    // The reader reads files: hand it the bytes through a temporary file,
    // which is removed when it goes out of scope.
    QTemporaryFile file;
    if (!file.open() || file.write(rtf) != rtf.size() || !file.flush())
        return 1;

    QTextDocument document;
    Tavisk::TextDocumentRtfOutput output(&document);
    Tavisk::Reader reader;
    if (!reader.open(file.fileName()) || !reader.parseTo(&output))
        return 1;
    //! [memory]

    QTextStream(stdout) << output.title() << ": " << document.toPlainText() << '\n';
    return document.toPlainText() == QStringLiteral("Caf\u00e9 at nine.\n") ? 0 : 1;
}

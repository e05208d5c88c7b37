// Reads an RTF file into a QTextDocument and prints its title and text.
//
//   convert letter.rtf

#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

#include <QGuiApplication>
#include <QTextDocument>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;

    //! [convert]
    QTextDocument document;
    Tavisk::TextDocumentRtfOutput output(&document);
    Tavisk::Reader reader;
    if (!reader.open(QString::fromLocal8Bit(argv[1])) || !reader.parseTo(&output))
        return 1;

    QTextStream out(stdout);
    out << "Title: " << output.title() << '\n';
    out << document.toPlainText() << '\n';
    // The document is an ordinary QTextDocument: show it in a QTextEdit,
    // print it, or write it out with QTextDocumentWriter.
    //! [convert]
    return 0;
}

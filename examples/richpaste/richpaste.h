#ifndef RICHPASTE_H
#define RICHPASTE_H

// Pasting RTF from the clipboard into a QTextEdit: word processors, mail
// clients and browsers put RTF on the clipboard beside HTML and plain text,
// and the RTF keeps what the HTML often loses (code pages, exact fonts).

#include <tavisk/textdocumentrtfoutput.h>

#include <QMimeData>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

/// The MIME types under which programs offer RTF: "text/rtf" on X11 and
/// Wayland, "Rich Text Format" as Qt names the Windows clipboard format,
/// "application/rtf" from some mail and web programs.
inline QStringList rtfMimeTypes()
{
    return {QStringLiteral("text/rtf"), QStringLiteral("Rich Text Format"), QStringLiteral("application/rtf")};
}

/// The RTF bytes that @p source offers, or an empty array.
inline QByteArray rtfFromMimeData(const QMimeData *source)
{
    for (const QString &type : rtfMimeTypes()) {
        if (source && source->hasFormat(type))
            return source->data(type);
    }
    return QByteArray();
}

/// Inserts the RTF that @p source offers at @p cursor. Returns false, and
/// inserts nothing, when it offers no RTF or the RTF cannot be read.
inline bool pasteRtf(const QMimeData *source, QTextCursor cursor)
{
    QTextDocument document;
    if (!Tavisk::TextDocumentRtfOutput::fromRtf(rtfFromMimeData(source), &document))
        return false;
    cursor.insertFragment(QTextDocumentFragment(&document));
    return true;
}

/// A QTextEdit that takes RTF from the clipboard and from drops, and
/// otherwise what QTextEdit takes.
class RichPasteEdit : public QTextEdit
{
public:
    using QTextEdit::QTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override
    {
        return !rtfFromMimeData(source).isEmpty() || QTextEdit::canInsertFromMimeData(source);
    }
    void insertFromMimeData(const QMimeData *source) override
    {
        if (!pasteRtf(source, textCursor()))
            QTextEdit::insertFromMimeData(source);
    }
};

#endif

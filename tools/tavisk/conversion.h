#ifndef TAVISK_TOOL_CONVERSION_H
#define TAVISK_TOOL_CONVERSION_H

#include <QString>
#include <QStringList>

#include "localfiles.h"

#include <optional>

class CollectingOutput;
class QTextDocument;

enum class Format { Text, Html, Markdown, Odt, Pdf, Png };

/// The format named by --to: txt, html, md, odt, pdf or png (and a few
/// common spellings of them).
std::optional<Format> formatFromName(const QString &name);
/// The format a file name's extension stands for.
std::optional<Format> formatFromFileName(const QString &fileName);
/// The extension written for @p format, without the dot.
QString formatExtension(Format format);
/// The names --to accepts, for messages.
QString formatNames();

/// Output path meaning standard output.
inline QString standardOutputPath()
{
    return QStringLiteral("-");
}

/// Input name meaning standard input.
inline QString standardInputPath()
{
    return QStringLiteral("-");
}

/// How messages name @p input: its name, or "standard input".
QString inputDisplayName(const QString &input);

/// One file to convert. For png, @p output is the name the numbered pages
/// are made from ("doc.png" gives "doc-1.png", "doc-2.png", ...).
struct ConversionJob {
    QString input;  ///< a file name, or standardInputPath()
    QString output; ///< a file name, or standardOutputPath()
    Format format = Format::Text;
    int dotsPerInch = 150;
    /// txt: follow each link by " <url>" (--links).
    bool showLinks = false;
    /// txt, html, md: put the page header and footer at the top and bottom
    /// (--headers).
    bool showHeaders = false;
};

/**
 * Opens @p input (a file name or standardInputPath()) once and parses it
 * into @p output (which writes into its document). On failure returns false
 * and sets @p error to a one-line message that names the input. @p inputId is
 * set to the file that was read.
 */
bool loadDocument(const QString &input, CollectingOutput *output, LocalFiles::FileId *inputId, QString *error);

/// Converts one file. Returns an empty string on success, else a one-line
/// message that names the file at fault. Running out of memory is reported
/// as such for this file.
QString convert(const ConversionJob &job);

/// The file names convert() writes for a png job with @p pageCount pages.
QStringList pageFileNames(const QString &output, int pageCount);

#endif

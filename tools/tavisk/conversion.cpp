#include "conversion.h"

#include "collectingoutput.h"
#include "headerfooter.h"
#include "pagerenderer.h"
#include "structureexport.h"

#include <tavisk/reader.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <cstdio>

namespace
{
struct FormatName {
    const char *name;
    Format format;
};

// Every spelling accepted by --to and as a file extension; the first name of
// each format is the one written.
constexpr FormatName s_formatNames[] = {
    {"txt", Format::Text},   {"text", Format::Text},         {"html", Format::Html},
    {"htm", Format::Html},   {"md", Format::Markdown},       {"markdown", Format::Markdown},
    {"odt", Format::Odt},    {"pdf", Format::Pdf},           {"png", Format::Png},
};

QString fileError(const QString &fileName, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(fileName, reason);
}

/// Writes @p bytes to @p path (or standard output) as a whole: a file is
/// replaced only once everything is written.
QString writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path == standardOutputPath()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
            return fileError(QStringLiteral("standard output"), QStringLiteral("cannot write: %1").arg(out.errorString()));
        return QString();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileError(path, QStringLiteral("cannot write: %1").arg(file.errorString()));
    file.write(bytes);
    if (!file.commit())
        return fileError(path, QStringLiteral("cannot write: %1").arg(file.errorString()));
    return QString();
}

/// The picture bytes stored in the document under @p name as a data: URL,
/// or an empty string when the document holds no data for it.
QString pictureDataUrl(QTextDocument *document, const QString &name)
{
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(name));
    QByteArray data;
    QByteArray format;
    if (resource.typeId() == QMetaType::QByteArray) {
        data = resource.toByteArray();
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        format = QImageReader::imageFormat(&buffer);
    } else if (resource.canConvert<QImage>()) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        resource.value<QImage>().save(&buffer, "PNG");
        format = "png";
    }
    if (data.isEmpty())
        return QString();
    if (format.isEmpty())
        format = QFileInfo(name).suffix().toLatin1();
    if (format == "jpg")
        format = "jpeg";
    return QStringLiteral("data:image/%1;base64,%2")
        .arg(QString::fromLatin1(format), QString::fromLatin1(data.toBase64()));
}

/// Renames every picture of @p document to a data: URL holding its bytes, so
/// HTML and Markdown written from it carry the pictures inside.
void embedPictures(QTextDocument *document)
{
    struct Rename {
        int position;
        int length;
        QTextImageFormat format;
    };
    QList<Rename> renames;
    QHash<QString, QString> urls;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString name = format.name();
            auto url = urls.find(name);
            if (url == urls.end())
                url = urls.insert(name, pictureDataUrl(document, name));
            if (url->isEmpty())
                continue;
            format.setName(*url);
            renames.append({fragment.position(), fragment.length(), format});
        }
    }
    QTextCursor cursor(document);
    for (const Rename &rename : std::as_const(renames)) {
        cursor.setPosition(rename.position);
        cursor.setPosition(rename.position + rename.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(rename.format);
    }
}

QByteArray plainText(const QTextDocument &document)
{
    QString text = document.toPlainText();
    // Pictures stand in the text as object replacement characters.
    text.remove(QChar::ObjectReplacementCharacter);
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text.append(QLatin1Char('\n'));
    return text.toUtf8();
}

QString writePages(const ConversionJob &job, const PageRenderer &renderer)
{
    const QStringList names = pageFileNames(job.output, renderer.pageCount());
    for (int page = 0; page < names.size(); ++page) {
        QSaveFile file(names.at(page));
        if (!file.open(QIODevice::WriteOnly))
            return fileError(names.at(page), QStringLiteral("cannot write: %1").arg(file.errorString()));
        QImageWriter writer(&file, "png");
        if (!writer.write(renderer.renderPage(page, job.dotsPerInch)))
            return fileError(names.at(page), QStringLiteral("cannot write: %1").arg(writer.errorString()));
        if (!file.commit())
            return fileError(names.at(page), QStringLiteral("cannot write: %1").arg(file.errorString()));
    }
    return QString();
}
} // namespace

std::optional<Format> formatFromName(const QString &name)
{
    const QString lower = name.toLower();
    for (const FormatName &entry : s_formatNames) {
        if (lower == QLatin1String(entry.name))
            return entry.format;
    }
    return std::nullopt;
}

std::optional<Format> formatFromFileName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty())
        return std::nullopt;
    return formatFromName(suffix);
}

QString formatExtension(Format format)
{
    for (const FormatName &entry : s_formatNames) {
        if (entry.format == format)
            return QLatin1String(entry.name);
    }
    return QString();
}

QString formatNames()
{
    return QStringLiteral("txt, html, md, odt, pdf, png");
}

QStringList pageFileNames(const QString &output, int pageCount)
{
    const QFileInfo info(output);
    QString stem = output;
    if (!info.suffix().isEmpty())
        stem.chop(info.suffix().size() + 1);
    // Numbers padded to the same width, so the pages sort in order.
    const int width = QString::number(pageCount).size();
    QStringList names;
    for (int page = 1; page <= pageCount; ++page)
        names.append(QStringLiteral("%1-%2.png").arg(stem).arg(page, width, 10, QLatin1Char('0')));
    return names;
}

bool loadDocument(const QString &input, CollectingOutput *output, QString *error)
{
    // The reader only says whether a file opened; ask the file system first
    // so the message can give the reason.
    if (QFileInfo(input).isDir()) {
        *error = fileError(input, QStringLiteral("cannot open: Is a directory"));
        return false;
    }
    QFile probe(input);
    if (!probe.open(QIODevice::ReadOnly)) {
        *error = fileError(input, QStringLiteral("cannot open: %1").arg(probe.errorString()));
        return false;
    }
    probe.close();

    Tavisk::Reader reader;
    if (!reader.open(input)) {
        *error = fileError(input, QStringLiteral("cannot open"));
        return false;
    }
    if (!reader.parseTo(output)) {
        *error = fileError(input, QStringLiteral("not an RTF file (it does not start with {\\rtf1)"));
        return false;
    }
    return true;
}

QString convert(const ConversionJob &job)
{
    QTextDocument document;
    // Nothing is ever undone in a converted document; recording every
    // insertion would only cost time and memory.
    document.setUndoRedoEnabled(false);
    CollectingOutput output(&document);
    QString error;
    if (!loadDocument(job.input, &output, &error))
        return error;
    if (!output.title().isEmpty())
        document.setMetaInformation(QTextDocument::DocumentTitle, output.title());

    // Pages draw the headers and footers in their margins; the other formats
    // leave them out unless asked.
    if (job.showHeaders && job.format != Format::Pdf && job.format != Format::Png)
        HeaderFooterText::insertIntoText(&document, output);
    const HeaderFooterPainter headers(output);

    switch (job.format) {
    case Format::Text:
        StructureExport::prepareText(&document, job.showLinks);
        return writeOutput(job.output, plainText(document));
    case Format::Html:
        embedPictures(&document);
        return writeOutput(job.output, document.toHtml().toUtf8());
    case Format::Markdown:
        embedPictures(&document);
        return writeOutput(job.output, StructureExport::markdownFootnotes(document.toMarkdown()).toUtf8());
    case Format::Odt: {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QTextDocumentWriter writer(&buffer, "odf");
        if (!writer.write(&document))
            return fileError(job.output, QStringLiteral("cannot write: the OpenDocument writer failed"));
        return writeOutput(job.output, bytes);
    }
    case Format::Pdf: {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        PageRenderer renderer(&document, PageGeometry::fromTwips(output.pageWidth(), output.pageHeight()));
        renderer.setHeaderFooterPainter(headers.isEmpty() ? nullptr : &headers);
        if (!renderer.writePdf(&buffer, output.title()))
            return fileError(job.output, QStringLiteral("cannot write: the PDF writer failed"));
        return writeOutput(job.output, bytes);
    }
    case Format::Png: {
        PageRenderer renderer(&document, PageGeometry::fromTwips(output.pageWidth(), output.pageHeight()));
        renderer.setHeaderFooterPainter(headers.isEmpty() ? nullptr : &headers);
        return writePages(job, renderer);
    }
    }
    return QString();
}

#include "conversion.h"

#include "collectingoutput.h"
#include "controlcharacters.h"
#include "headerfooter.h"
#include "markdownexport.h"
#include "pagerenderer.h"
#include "structureexport.h"

#include <tavisk/plaintextrtfoutput.h>
#include <tavisk/reader.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <cstdio>
#include <memory>
#include <new>
#include <unistd.h>

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

QString writeError(const QString &fileName, const QString &reason)
{
    return fileError(fileName, QStringLiteral("cannot write: %1").arg(reason));
}

/// Writes @p bytes as the whole of @p path, or to standard output.
QString writeOutput(const QString &path, const QByteArray &bytes, const LocalFiles::FileId &input)
{
    if (path == standardOutputPath()) {
        const QString reason = LocalFiles::writeStandardOutput(bytes);
        return reason.isEmpty() ? QString() : writeError(QStringLiteral("standard output"), reason);
    }
    const QString reason = LocalFiles::writeFile(path, bytes, input);
    return reason.isEmpty() ? QString() : writeError(path, reason);
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

/// A property no writer shows, set on a picture that would otherwise have
/// the same format as the picture right before it.
constexpr int s_pictureApart = QTextFormat::UserProperty + 1;

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
            // The same picture twice side by side (same bytes, same size)
            // gets one format: the document would join the two into one
            // fragment, which Markdown writes as a single picture.
            if (!renames.isEmpty()) {
                const Rename &before = renames.constLast();
                if (before.position + before.length == fragment.position() && before.format == format)
                    format.setProperty(s_pictureApart, !before.format.boolProperty(s_pictureApart));
            }
            renames.append({fragment.position(), fragment.length(), format});
        }
    }
    // In one edit block: outside of one, every move of the cursor lays out
    // the whole paragraph it lands in again, which made a paragraph of many
    // pictures quadratic.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const Rename &rename : std::as_const(renames)) {
        cursor.setPosition(rename.position);
        cursor.setPosition(rename.position + rename.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(rename.format);
    }
    cursor.endEditBlock();
}

/// Markdown has six levels of heading; deeper ones (Word's "heading 7" to
/// "heading 9") are written as the sixth rather than as a row of '#'.
void limitHeadingLevels(QTextDocument *document)
{
    constexpr int deepest = 6;
    QTextCursor cursor(document);
    // In one edit block, where moving the cursor lays nothing out.
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() <= deepest)
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setHeadingLevel(deepest);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? bytes : QByteArray();
}

/// Whether @p name is a page of a run that writes @p stem-1.png, @p stem-2.png,
/// ... (also numbered with leading zeros).
bool isPageOf(const QString &stem, const QString &name)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+\\.png$"));
    return name.startsWith(stem + QLatin1Char('-')) && number.match(QStringView(name).mid(stem.size() + 1)).hasMatch();
}

/// Writes the pages into a temporary folder and moves them in at the end,
/// removing the pages of an earlier run of the same name: the folder holds
/// one complete set of pages, the new or the old.
QString writePages(const ConversionJob &job, const PageRenderer &renderer, const LocalFiles::FileId &input)
{
    const QStringList names = pageFileNames(job.output, renderer.pageCount());
    const qsizetype slash = job.output.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : job.output.left(slash);
    LocalFiles::FileSet pages(folder, input);
    if (const QString reason = pages.begin(); !reason.isEmpty())
        return writeError(names.first(), reason);
    for (int page = 0; page < names.size(); ++page) {
        const QByteArray bytes = pngBytes(renderer.renderPage(page, job.dotsPerInch));
        if (bytes.isEmpty())
            return writeError(names.at(page), QStringLiteral("the PNG writer failed"));
        const QString fileName = names.at(page).mid(slash + 1);
        if (const QString reason = pages.add(fileName, bytes); !reason.isEmpty())
            return writeError(names.at(page), reason);
    }
    QString failedFile;
    // The name of a first page without its "-1.png".
    const QString stem = pageFileNames(job.output, 1).first().mid(slash + 1).chopped(6);
    const QString reason = pages.commit([&stem](const QString &name) { return isPageOf(stem, name); }, &failedFile);
    return reason.isEmpty() ? QString() : writeError(failedFile, reason);
}

/// The bytes of @p document in @p format (all but png), or an error.
QString documentBytes(const ConversionJob &job, QTextDocument *document, const CollectingOutput &output,
                      const HeaderFooterPainter &headers, QByteArray *bytes)
{
    switch (job.format) {
    case Format::Text:
        // Written without a document: convertToText().
        break;
    case Format::Html:
        embedPictures(document);
        *bytes = document->toHtml().toUtf8();
        break;
    case Format::Markdown:
        embedPictures(document);
        limitHeadingLevels(document);
        *bytes = StructureExport::markdownFootnotes(markdownOf(*document)).toUtf8();
        break;
    case Format::Odt: {
        QBuffer buffer(bytes);
        buffer.open(QIODevice::WriteOnly);
        QTextDocumentWriter writer(&buffer, "odf");
        if (!writer.write(document))
            return writeError(job.output, QStringLiteral("the OpenDocument writer failed"));
        break;
    }
    case Format::Pdf: {
        QBuffer buffer(bytes);
        buffer.open(QIODevice::WriteOnly);
        PageRenderer renderer(document, PageGeometry::fromTwips(output.pageWidth(), output.pageHeight()));
        renderer.setHeaderFooterPainter(headers.isEmpty() ? nullptr : &headers);
        if (!renderer.writePdf(&buffer, document->metaInformation(QTextDocument::DocumentTitle)))
            return writeError(job.output, QStringLiteral("the PDF writer failed"));
        break;
    }
    case Format::Png:
        break;
    }
    return QString();
}

QString convertLoaded(const ConversionJob &job, QTextDocument *document, const CollectingOutput &output,
                      const LocalFiles::FileId &input)
{
    // Pages draw the headers and footers in their margins; the other formats
    // leave them out unless asked.
    if (job.showHeaders && job.format != Format::Pdf && job.format != Format::Png)
        HeaderFooterText::insertIntoText(document, output);
    const HeaderFooterPainter headers(output);
    removeControlCharacters(document);
    const QString title = withoutControlCharacters(output.title());
    if (!title.isEmpty())
        document->setMetaInformation(QTextDocument::DocumentTitle, title);
    if (job.format == Format::Png) {
        PageRenderer renderer(document, PageGeometry::fromTwips(output.pageWidth(), output.pageHeight()));
        renderer.setHeaderFooterPainter(headers.isEmpty() ? nullptr : &headers);
        return writePages(job, renderer, input);
    }
    QByteArray bytes;
    if (const QString error = documentBytes(job, document, output, headers, &bytes); !error.isEmpty())
        return error;
    return writeOutput(job.output, bytes, input);
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

QString inputDisplayName(const QString &input)
{
    return input == standardInputPath() ? QStringLiteral("standard input") : input;
}

namespace
{
/// Opens @p input (a file name or standardInputPath()) once into @p file.
/// On failure returns false and sets @p error to a one-line message that
/// names the input. @p inputId is set to the file opened.
bool openInput(const QString &input, QFile *file, LocalFiles::FileId *inputId, QString *error)
{
    if (input == standardInputPath()) {
        // Read once, as it comes: standard input may be a pipe.
        if (!file->open(STDIN_FILENO, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            *error = fileError(inputDisplayName(input), QStringLiteral("cannot open: %1").arg(file->errorString()));
            return false;
        }
        *inputId = LocalFiles::fileId(STDIN_FILENO);
        return true;
    }
    // Opened once: a FIFO gives its data to the first reader only.
    QString reason;
    const int fd = LocalFiles::openForReading(input, &reason);
    if (fd < 0) {
        *error = fileError(input, reason);
        return false;
    }
    *inputId = LocalFiles::fileId(fd);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = fileError(input, QStringLiteral("cannot open: %1").arg(file->errorString()));
        return false;
    }
    return true;
}

/// Where the text goes as it is read: standard output, or an output file
/// put in place once the text is complete. Keeps the first write error.
class TextSink : public QIODevice
{
public:
    TextSink(const ConversionJob &job, const LocalFiles::FileId &input)
    {
        if (job.output != standardOutputPath())
            m_file = std::make_unique<LocalFiles::OutputFile>(job.output, input);
        m_name = job.output == standardOutputPath() ? QStringLiteral("standard output") : job.output;
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    /// Puts the file in place; returns the error message, or an empty
    /// string.
    QString finish()
    {
        if (m_reason.isEmpty() && m_file)
            m_reason = m_file->commit();
        return m_reason.isEmpty() ? QString() : writeError(m_name, m_reason);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (!m_reason.isEmpty())
            return -1;
        m_reason = m_file ? m_file->write(data, size)
                          : LocalFiles::writeStandardOutput(QByteArray::fromRawData(data, size));
        if (!m_reason.isEmpty()) {
            setErrorString(m_reason);
            return -1;
        }
        return size;
    }

private:
    std::unique_ptr<LocalFiles::OutputFile> m_file;
    QString m_name;
    QString m_reason;
};

/// txt: the text goes out as it is read, without a document.
QString convertToText(const ConversionJob &job)
{
    QFile file;
    LocalFiles::FileId input;
    QString error;
    if (!openInput(job.input, &file, &input, &error))
        return error;
    TextSink sink(job, input);
    Tavisk::PlainTextRtfOutput output(&sink);
    output.setShowLinkAddresses(job.showLinks);
    output.setShowHeadersAndFooters(job.showHeaders);
    Tavisk::Reader reader;
    if (!reader.open(&file) || !reader.parseTo(&output))
        return fileError(inputDisplayName(job.input), reader.errorString());
    return sink.finish();
}
} // namespace

bool loadDocument(const QString &input, CollectingOutput *output, LocalFiles::FileId *inputId, QString *error)
{
    QFile file;
    if (!openInput(input, &file, inputId, error))
        return false;
    Tavisk::Reader reader;
    if (!reader.open(&file) || !reader.parseTo(output)) {
        *error = fileError(inputDisplayName(input), reader.errorString());
        return false;
    }
    return true;
}

QString convert(const ConversionJob &job)
{
    try {
        if (job.format == Format::Text)
            return convertToText(job);
        QTextDocument document;
        // Nothing is ever undone in a converted document; recording every
        // insertion would only cost time and memory.
        document.setUndoRedoEnabled(false);
        CollectingOutput output(&document, CollectingOutput::PictureRecord::Skipped);
        LocalFiles::FileId input;
        QString error;
        if (!loadDocument(job.input, &output, &input, &error))
            return error;
        return convertLoaded(job, &document, output, input);
    } catch (const std::bad_alloc &) {
        // The document and everything read so far are gone again; the other
        // files of a batch can still be converted.
        return fileError(inputDisplayName(job.input), QStringLiteral("out of memory"));
    }
}

#include "headerfooter.h"

#include <tavisk/textdocumentrtfoutput.h>

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace
{
// 96 dots per inch in the unit QImage keeps its resolution in.
constexpr int DotsPerMeterAt96 = 3780;
// Word's default distance of the header and footer from the paper's edge:
// \headery720 and \footery720, half an inch.
constexpr qreal EdgeDistance = 48.0;

QString pageFieldValue(const QString &instruction, int page, int pageCount)
{
    const QString name = instruction.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).toUpper();
    if (name == QLatin1String("PAGE"))
        return QString::number(page);
    if (name == QLatin1String("NUMPAGES") || name == QLatin1String("SECTIONPAGES"))
        return QString::number(pageCount);
    return QString();
}

/// The fragment for page @p page (from 1) as a document of its own.
std::unique_ptr<QTextDocument> pageDocument(const QTextDocumentFragment &fragment)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    QTextCursor(document.get()).insertFragment(fragment);
    return document;
}
} // namespace

void HeaderFooterText::replacePageFields(QTextDocument *document, int page, int pageCount)
{
    struct Replacement {
        int position;
        int length;
        QString text;
        QTextCharFormat format;
    };
    QList<Replacement> replacements;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant instruction =
                fragment.charFormat().property(Tavisk::TextDocumentRtfOutput::FieldInstructionProperty);
            if (!instruction.isValid())
                continue;
            const QString value = pageFieldValue(instruction.toString(), page, pageCount);
            if (value.isEmpty())
                continue;
            // A result written in several runs shows the number once.
            if (!replacements.isEmpty() && replacements.last().position + replacements.last().length == fragment.position()
                && replacements.last().text == value) {
                replacements.last().length += fragment.length();
                continue;
            }
            replacements.append({fragment.position(), fragment.length(), value, fragment.charFormat()});
        }
    }
    QTextCursor cursor(document);
    // From the end, so the earlier positions stay valid.
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.insertText(it->text, it->format);
    }
}

void HeaderFooterText::insertIntoText(QTextDocument *document, const Tavisk::TextDocumentRtfOutput &output)
{
    // The one on the first page, or on the others when the first has none.
    auto pick = [&output](bool footer) {
        QTextDocumentFragment fragment = output.headerFooterForPage(footer, 1);
        if (fragment.isEmpty())
            fragment = output.headerFooterForPage(footer, 2);
        return fragment;
    };
    const QTextDocumentFragment header = pick(false);
    const QTextDocumentFragment footer = pick(true);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    if (!header.isEmpty()) {
        cursor.movePosition(QTextCursor::Start);
        cursor.insertBlock();
        cursor.insertBlock();
        cursor.movePosition(QTextCursor::Start);
        cursor.insertFragment(header);
    }
    if (!footer.isEmpty()) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertFragment(footer);
    }
    cursor.endEditBlock();
}

HeaderFooterPainter::HeaderFooterPainter(const Tavisk::TextDocumentRtfOutput &output)
    : m_output(output)
    , m_metricsDevice(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    m_metricsDevice.setDotsPerMeterX(DotsPerMeterAt96);
    m_metricsDevice.setDotsPerMeterY(DotsPerMeterAt96);
}

bool HeaderFooterPainter::isEmpty() const
{
    return !m_output.hasHeadersOrFooters();
}

void HeaderFooterPainter::paint(QPainter *painter, int page, int pageCount, const QSizeF &paper,
                                const QRectF &textArea) const
{
    for (const bool footer : {false, true}) {
        const QTextDocumentFragment fragment = m_output.headerFooterForPage(footer, page + 1);
        if (fragment.isEmpty())
            continue;
        const std::unique_ptr<QTextDocument> document = pageDocument(fragment);
        HeaderFooterText::replacePageFields(document.get(), page + 1, pageCount);
        document->documentLayout()->setPaintDevice(const_cast<QImage *>(&m_metricsDevice));
        document->setDocumentMargin(0);
        document->setTextWidth(textArea.width());
        const qreal height = document->size().height();
        // The header hangs from its distance to the top edge, the footer
        // stands on its distance to the bottom edge.
        const qreal top = footer ? paper.height() - EdgeDistance - height : EdgeDistance;
        painter->save();
        painter->translate(textArea.left(), top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, Qt::black);
        context.clip = QRectF(QPointF(0, 0), QSizeF(textArea.width(), height));
        document->documentLayout()->draw(painter, context);
        painter->restore();
        document->documentLayout()->setPaintDevice(nullptr);
    }
}

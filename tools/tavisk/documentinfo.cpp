#include "documentinfo.h"

#include "collectingoutput.h"
#include "structurecounts.h"
#include "controlcharacters.h"
#include "localfiles.h"

#include <QDateTime>
#include <QJsonArray>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace
{
// The metadata items in the order shown, with their JSON key (the getter's
// name) and the label of the text listing.
struct TextItem {
    const char *key;
    const char *label;
    QString (Tavisk::AbstractRtfOutput::*getter)() const;
};
const TextItem s_textItems[] = {
    {"title", "Title", &Tavisk::AbstractRtfOutput::title},
    {"subject", "Subject", &Tavisk::AbstractRtfOutput::subject},
    {"author", "Author", &Tavisk::AbstractRtfOutput::author},
    {"managerName", "Manager", &Tavisk::AbstractRtfOutput::managerName},
    {"companyName", "Company", &Tavisk::AbstractRtfOutput::companyName},
    {"operatorName", "Operator", &Tavisk::AbstractRtfOutput::operatorName},
    {"category", "Category", &Tavisk::AbstractRtfOutput::category},
    {"keywords", "Keywords", &Tavisk::AbstractRtfOutput::keywords},
    {"comment", "Comment", &Tavisk::AbstractRtfOutput::comment},
    {"documentComment", "Document comment", &Tavisk::AbstractRtfOutput::documentComment},
    {"hLinkBase", "Hyperlink base", &Tavisk::AbstractRtfOutput::hLinkBase},
    {"generatorInformation", "Generator", &Tavisk::AbstractRtfOutput::generatorInformation},
};

struct DateItem {
    const char *key;
    const char *label;
    QDateTime (Tavisk::AbstractRtfOutput::*getter)() const;
};
const DateItem s_dateItems[] = {
    {"created", "Created", &Tavisk::AbstractRtfOutput::created},
    {"revised", "Revised", &Tavisk::AbstractRtfOutput::revised},
    {"printed", "Printed", &Tavisk::AbstractRtfOutput::printed},
};

struct CountItem {
    const char *key;
    const char *label;
    int (Tavisk::AbstractRtfOutput::*getter)() const;
};
const CountItem s_countItems[] = {
    {"totalEditingTime", "Editing time (minutes)", &Tavisk::AbstractRtfOutput::totalEditingTime},
    {"numberOfPages", "Pages", &Tavisk::AbstractRtfOutput::numberOfPages},
    {"numberOfWords", "Words", &Tavisk::AbstractRtfOutput::numberOfWords},
    {"numberOfCharacters", "Characters", &Tavisk::AbstractRtfOutput::numberOfCharacters},
    {"numberOfCharactersWithoutSpaces", "Characters without spaces",
     &Tavisk::AbstractRtfOutput::numberOfCharactersWithoutSpaces},
    {"versionNumber", "Version", &Tavisk::AbstractRtfOutput::versionNumber},
    {"internalVersionNumber", "Internal version", &Tavisk::AbstractRtfOutput::internalVersionNumber},
};

QString key(const char *text)
{
    return QString::fromLatin1(text);
}

QString dateText(const QDateTime &dateTime)
{
    return dateTime.toString(Qt::ISODate);
}

QString familyName(Tavisk::FontFamily family)
{
    switch (family) {
    case Tavisk::FontFamily::Nil:
        return QStringLiteral("nil");
    case Tavisk::FontFamily::Roman:
        return QStringLiteral("roman");
    case Tavisk::FontFamily::Swiss:
        return QStringLiteral("swiss");
    case Tavisk::FontFamily::Modern:
        return QStringLiteral("modern");
    case Tavisk::FontFamily::Script:
        return QStringLiteral("script");
    case Tavisk::FontFamily::Decor:
        return QStringLiteral("decor");
    case Tavisk::FontFamily::Tech:
        return QStringLiteral("tech");
    case Tavisk::FontFamily::Bidi:
        return QStringLiteral("bidi");
    }
    return QString::number(int(family));
}

QString pitchName(Tavisk::FontPitch pitch)
{
    switch (pitch) {
    case Tavisk::FontPitch::Default:
        return QStringLiteral("default");
    case Tavisk::FontPitch::Fixed:
        return QStringLiteral("fixed");
    case Tavisk::FontPitch::Variable:
        return QStringLiteral("variable");
    }
    // The font table keeps whatever number \fprq gives.
    return QString::number(int(pitch));
}

QString alignmentName(Tavisk::TextAlignment alignment)
{
    switch (alignment) {
    case Tavisk::TextAlignment::Left:
        return QStringLiteral("left");
    case Tavisk::TextAlignment::Centred:
        return QStringLiteral("centred");
    case Tavisk::TextAlignment::Justified:
        return QStringLiteral("justified");
    case Tavisk::TextAlignment::Right:
        return QStringLiteral("right");
    }
    return QString::number(int(alignment));
}

QString directionName(Qt::LayoutDirection direction)
{
    switch (direction) {
    case Qt::LeftToRight:
        return QStringLiteral("left-to-right");
    case Qt::RightToLeft:
        return QStringLiteral("right-to-left");
    case Qt::LayoutDirectionAuto:
        break;
    }
    return QStringLiteral("auto");
}

/// The type of a user property as RTF names it (\proptype).
QString propertyType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QStringLiteral("integer");
    case QMetaType::Double:
        return QStringLiteral("real");
    case QMetaType::Bool:
        return QStringLiteral("boolean");
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return QStringLiteral("date");
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return QStringLiteral("text");
    default:
        break;
    }
    return value.isValid() ? QString::fromLatin1(value.typeName()) : QStringLiteral("none");
}

/// Text properties arrive as the bytes the file wrote; shown as UTF-8 when
/// they are valid UTF-8, else as Windows-1252, the usual code page of RTF.
QString propertyString(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252(bytes)) : QString::fromLatin1(bytes);
}

/// A user property's value for the model: text decoded, dates as text.
QVariant propertyValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return withoutControlCharacters(propertyString(value.toByteArray()));
    case QMetaType::QString:
        return withoutControlCharacters(value.toString());
    case QMetaType::QDateTime:
        return dateText(value.toDateTime());
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    default:
        break;
    }
    return value;
}

QString propertyText(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("(no value)");
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.toString();
}

QJsonValue nullable(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QList<DocumentInfo::MetadataItem> collectMetadata(const CollectingOutput &output)
{
    QList<DocumentInfo::MetadataItem> items;
    for (const TextItem &item : s_textItems) {
        const QString value = (output.*item.getter)();
        items.append({key(item.key), key(item.label),
                      value.isNull() ? QVariant() : QVariant(withoutControlCharacters(value))});
    }
    for (const DateItem &item : s_dateItems) {
        const QDateTime value = (output.*item.getter)();
        items.append({key(item.key), key(item.label), value.isValid() ? QVariant(value) : QVariant()});
    }
    for (const CountItem &item : s_countItems) {
        const int value = (output.*item.getter)();
        items.append({key(item.key), key(item.label), value == -1 ? QVariant() : QVariant(value)});
    }
    return items;
}

QList<DocumentInfo::Property> collectProperties(const CollectingOutput &output)
{
    // The names come in hash order; show them sorted.
    QStringList names = output.userPropNames();
    std::sort(names.begin(), names.end());
    QList<DocumentInfo::Property> properties;
    for (const QString &name : std::as_const(names)) {
        const QVariant value = output.userProp(name);
        properties.append({withoutControlCharacters(name), propertyType(value), propertyValue(value)});
    }
    return properties;
}

QString metadataText(const QVariant &value)
{
    return value.typeId() == QMetaType::QDateTime ? dateText(value.toDateTime()) : value.toString();
}

QJsonValue metadataJson(const QVariant &value)
{
    if (!value.isValid())
        return QJsonValue();
    if (value.typeId() == QMetaType::QDateTime)
        return dateText(value.toDateTime());
    return QJsonValue::fromVariant(value);
}

/// The "Label:  value" lines of the listing's head, values that span lines
/// with their later lines indented.
QStringList headLines(const DocumentInfo::Model &model)
{
    QList<QPair<QString, QString>> items;
    items.append({QStringLiteral("File"), model.file});
    for (const DocumentInfo::MetadataItem &item : model.metadata) {
        if (item.value.isValid())
            items.append({item.label, metadataText(item.value)});
    }
    if (model.paperWidth > 0 || model.paperHeight > 0) {
        items.append({QStringLiteral("Paper"), QStringLiteral("%1 x %2 twips (%3 x %4 in)")
                                                   .arg(model.paperWidth)
                                                   .arg(model.paperHeight)
                                                   .arg(model.paperWidth / 1440.0)
                                                   .arg(model.paperHeight / 1440.0)});
    }
    int labelWidth = 0;
    for (const auto &item : std::as_const(items))
        labelWidth = std::max(labelWidth, int(item.first.size()));
    QStringList lines;
    for (const auto &item : std::as_const(items)) {
        QString value = item.second;
        value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        value.replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(labelWidth + 2, QLatin1Char(' ')));
        lines.append(QStringLiteral("%1  %2").arg(item.first + QLatin1Char(':'), -(labelWidth + 1)).arg(value));
    }
    return lines;
}

/// A section of the listing: a blank line, "Title: count", one line a row.
template<typename Row, typename Format>
void appendSection(QStringList *lines, const QString &title, const QList<Row> &rows, Format format)
{
    lines->append(QString());
    lines->append(QStringLiteral("%1: %2").arg(title).arg(rows.size()));
    for (const Row &row : rows)
        lines->append(format(row));
}
} // namespace

DocumentInfo::Model DocumentInfo::collect(const QString &fileName, const CollectingOutput &output)
{
    Model model;
    model.file = withoutControlCharacters(LocalFiles::displayName(fileName));
    model.metadata = collectMetadata(output);
    model.paperWidth = output.pageWidth();
    if (output.document()) {
        const StructureCounts counts = countStructure(*output.document());
        model.tables = counts.tables;
        model.nestedTables = counts.nestedTables;
        model.lists = counts.lists;
    }
    const CollectingOutput::StructureCounts &calls = output.structureCounts();
    model.links = calls.links;
    model.footnotes = calls.footnotes;
    model.endnotes = calls.endnotes;
    model.comments = calls.comments;
    model.headersFooters = calls.headersFooters;
    model.textBoxes = calls.textBoxes;
    model.paperHeight = output.pageHeight();
    model.userProperties = collectProperties(output);
    for (auto it = output.fonts().cbegin(); it != output.fonts().cend(); ++it) {
        model.fonts.append({it.key(), withoutControlCharacters(it->fontName()), familyName(it->fontFamily()),
                            pitchName(it->fontPitch()), withoutControlCharacters(it->encoding())});
    }
    model.colours = output.colours();
    for (auto it = output.styles().cbegin(); it != output.styles().cend(); ++it) {
        model.styles.append({it.key(), withoutControlCharacters(it->styleName()), alignmentName(it->textAlignment()),
                             it->leftIndent(), it->rightIndent(), it->topMargin(),
                             directionName(it->layoutDirection())});
    }
    for (const CollectingOutput::Picture &picture : output.pictures()) {
        model.pictures.append({withoutControlCharacters(picture.name), withoutControlCharacters(picture.format),
                               picture.byteCount, picture.displaySize, picture.pixelSize});
    }
    return model;
}

QJsonObject DocumentInfo::toJson(const Model &model)
{
    QJsonObject metadata;
    for (const MetadataItem &item : model.metadata)
        metadata.insert(item.key, metadataJson(item.value));

    QJsonArray properties;
    for (const Property &property : model.userProperties) {
        properties.append(QJsonObject{{QStringLiteral("name"), property.name},
                                      {QStringLiteral("type"), property.type},
                                      {QStringLiteral("value"), QJsonValue::fromVariant(property.value)}});
    }

    QJsonArray fonts;
    for (const Font &font : model.fonts) {
        fonts.append(QJsonObject{{QStringLiteral("index"), qint64(font.index)},
                                 {QStringLiteral("name"), font.name},
                                 {QStringLiteral("family"), font.family},
                                 {QStringLiteral("pitch"), font.pitch},
                                 {QStringLiteral("encoding"), nullable(font.encoding)}});
    }

    QJsonArray colours;
    for (const QColor &colour : model.colours)
        colours.append(colour.isValid() ? QJsonValue(colour.name()) : QJsonValue());

    QJsonArray styles;
    for (const Style &style : model.styles) {
        styles.append(QJsonObject{{QStringLiteral("index"), qint64(style.index)},
                                  {QStringLiteral("name"), style.name},
                                  {QStringLiteral("alignment"), style.alignment},
                                  {QStringLiteral("leftIndent"), style.leftIndent},
                                  {QStringLiteral("rightIndent"), style.rightIndent},
                                  {QStringLiteral("spaceBefore"), style.spaceBefore},
                                  {QStringLiteral("direction"), style.direction}});
    }

    QJsonArray pictures;
    for (const Picture &picture : model.pictures) {
        QJsonObject entry{{QStringLiteral("name"), picture.name},
                          {QStringLiteral("format"), picture.format},
                          {QStringLiteral("bytes"), picture.byteCount},
                          {QStringLiteral("width"), picture.displaySize.width()},
                          {QStringLiteral("height"), picture.displaySize.height()}};
        if (picture.pixelSize.isValid()) {
            entry.insert(QStringLiteral("pixelWidth"), picture.pixelSize.width());
            entry.insert(QStringLiteral("pixelHeight"), picture.pixelSize.height());
        }
        pictures.append(entry);
    }

    QJsonObject result{{QStringLiteral("file"), model.file},
                       {QStringLiteral("metadata"), metadata},
                       {QStringLiteral("userProperties"), properties},
                       {QStringLiteral("fonts"), fonts},
                       {QStringLiteral("colours"), colours},
                       {QStringLiteral("styles"), styles},
                       {QStringLiteral("pictures"), pictures}};
    result.insert(QStringLiteral("tables"), QJsonObject{{QStringLiteral("count"), model.tables},
                                                        {QStringLiteral("nested"), model.nestedTables}});
    result.insert(QStringLiteral("structure"), QJsonObject{{QStringLiteral("lists"), model.lists},
                                                           {QStringLiteral("links"), model.links},
                                                           {QStringLiteral("footnotes"), model.footnotes},
                                                           {QStringLiteral("endnotes"), model.endnotes},
                                                           {QStringLiteral("comments"), model.comments},
                                                           {QStringLiteral("headersFooters"), model.headersFooters},
                                                           {QStringLiteral("textBoxes"), model.textBoxes}});
    if (model.paperWidth > 0 || model.paperHeight > 0) {
        result.insert(QStringLiteral("paper"), QJsonObject{{QStringLiteral("width"), model.paperWidth},
                                                           {QStringLiteral("height"), model.paperHeight}});
    }
    return result;
}

QString DocumentInfo::toText(const Model &model)
{
    QStringList lines = headLines(model);
    appendSection(&lines, QStringLiteral("User properties"), model.userProperties, [](const Property &property) {
        return QStringLiteral("  %1 (%2): %3").arg(property.name, property.type, propertyText(property.value));
    });
    appendSection(&lines, QStringLiteral("Fonts"), model.fonts, [](const Font &font) {
        return QStringLiteral("  %1  %2  (%3, %4 pitch, code page %5)")
            .arg(QStringLiteral("f%1").arg(font.index), -5)
            .arg(font.name, font.family, font.pitch, font.encoding.isEmpty() ? QStringLiteral("none") : font.encoding);
    });
    QList<QPair<int, QColor>> colours;
    for (int i = 0; i < model.colours.size(); ++i)
        colours.append({i, model.colours.at(i)});
    appendSection(&lines, QStringLiteral("Colours"), colours, [](const QPair<int, QColor> &colour) {
        return QStringLiteral("  %1  %2").arg(colour.first, 3).arg(colour.second.isValid() ? colour.second.name()
                                                                                          : QStringLiteral("automatic"));
    });
    appendSection(&lines, QStringLiteral("Styles"), model.styles, [](const Style &style) {
        return QStringLiteral("  %1  %2  (%3, indents %4/%5, space before %6, %7)")
            .arg(QStringLiteral("s%1").arg(style.index), -5)
            .arg(style.name, style.alignment)
            .arg(style.leftIndent)
            .arg(style.rightIndent)
            .arg(style.spaceBefore)
            .arg(style.direction);
    });
    lines.append(QString());
    lines.append(QStringLiteral("Tables: %1 (%2 nested)").arg(model.tables).arg(model.nestedTables));
    lines.append(QStringLiteral("Lists: %1").arg(model.lists));
    lines.append(QStringLiteral("Links: %1").arg(model.links));
    lines.append(QStringLiteral("Footnotes: %1").arg(model.footnotes));
    lines.append(QStringLiteral("Endnotes: %1").arg(model.endnotes));
    lines.append(QStringLiteral("Comments: %1").arg(model.comments));
    lines.append(QStringLiteral("Headers and footers: %1").arg(model.headersFooters));
    lines.append(QStringLiteral("Text boxes: %1").arg(model.textBoxes));
    appendSection(&lines, QStringLiteral("Pictures"), model.pictures, [](const Picture &picture) {
        const QString pixels = picture.pixelSize.isValid()
            ? QStringLiteral("%1 x %2 pixels").arg(picture.pixelSize.width()).arg(picture.pixelSize.height())
            : QStringLiteral("unreadable");
        return QStringLiteral("  %1  %2, %3 bytes, %4, shown at %5 x %6")
            .arg(picture.name, picture.format)
            .arg(picture.byteCount)
            .arg(pixels)
            .arg(picture.displaySize.width())
            .arg(picture.displaySize.height());
    });
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

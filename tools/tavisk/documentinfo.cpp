#include "documentinfo.h"

#include "collectingoutput.h"

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

QJsonValue propertyJson(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return propertyString(value.toByteArray());
    case QMetaType::QDateTime:
        return dateText(value.toDateTime());
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    default:
        break;
    }
    return QJsonValue::fromVariant(value);
}

QString propertyText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QByteArray:
        return propertyString(value.toByteArray());
    case QMetaType::QDateTime:
        return dateText(value.toDateTime());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        break;
    }
    return value.isValid() ? value.toString() : QStringLiteral("(no value)");
}

QString colourName(const QColor &colour)
{
    return colour.isValid() ? colour.name() : QString();
}

QStringList sortedPropertyNames(const CollectingOutput &output)
{
    // The names come in hash order; show them sorted.
    QStringList names = output.userPropNames();
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

QJsonObject DocumentInfo::toJson(const QString &fileName, const CollectingOutput &output)
{
    QJsonObject metadata;
    for (const TextItem &item : s_textItems) {
        const QString value = (output.*item.getter)();
        metadata.insert(key(item.key), value.isNull() ? QJsonValue() : QJsonValue(value));
    }
    for (const DateItem &item : s_dateItems) {
        const QDateTime value = (output.*item.getter)();
        metadata.insert(key(item.key), value.isValid() ? QJsonValue(dateText(value)) : QJsonValue());
    }
    for (const CountItem &item : s_countItems) {
        const int value = (output.*item.getter)();
        metadata.insert(key(item.key), value == -1 ? QJsonValue() : QJsonValue(value));
    }

    QJsonArray properties;
    for (const QString &name : sortedPropertyNames(output)) {
        const QVariant value = output.userProp(name);
        properties.append(QJsonObject{{QStringLiteral("name"), name},
                                      {QStringLiteral("type"), propertyType(value)},
                                      {QStringLiteral("value"), propertyJson(value)}});
    }

    QJsonArray fonts;
    for (auto it = output.fonts().cbegin(); it != output.fonts().cend(); ++it) {
        fonts.append(QJsonObject{{QStringLiteral("index"), qint64(it.key())},
                                 {QStringLiteral("name"), it->fontName()},
                                 {QStringLiteral("family"), familyName(it->fontFamily())},
                                 {QStringLiteral("pitch"), pitchName(it->fontPitch())},
                                 {QStringLiteral("encoding"),
                                  it->encoding().isEmpty() ? QJsonValue() : QJsonValue(it->encoding())}});
    }

    QJsonArray colours;
    for (const QColor &colour : output.colours())
        colours.append(colour.isValid() ? QJsonValue(colourName(colour)) : QJsonValue());

    QJsonArray styles;
    for (auto it = output.styles().cbegin(); it != output.styles().cend(); ++it) {
        styles.append(QJsonObject{{QStringLiteral("index"), qint64(it.key())},
                                  {QStringLiteral("name"), it->styleName()},
                                  {QStringLiteral("alignment"), alignmentName(it->textAlignment())},
                                  {QStringLiteral("leftIndent"), it->leftIndent()},
                                  {QStringLiteral("rightIndent"), it->rightIndent()},
                                  {QStringLiteral("spaceBefore"), it->topMargin()},
                                  {QStringLiteral("direction"), directionName(it->layoutDirection())}});
    }

    QJsonArray pictures;
    for (const CollectingOutput::Picture &picture : output.pictures()) {
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

    QJsonObject result{{QStringLiteral("file"), fileName},
                       {QStringLiteral("metadata"), metadata},
                       {QStringLiteral("userProperties"), properties},
                       {QStringLiteral("fonts"), fonts},
                       {QStringLiteral("colours"), colours},
                       {QStringLiteral("styles"), styles},
                       {QStringLiteral("pictures"), pictures}};
    const CollectingOutput::StructureCounts &counts = output.structureCounts();
    result.insert(QStringLiteral("structure"),
                  QJsonObject{{QStringLiteral("links"), counts.links},
                              {QStringLiteral("footnotes"), counts.footnotes},
                              {QStringLiteral("endnotes"), counts.endnotes},
                              {QStringLiteral("comments"), counts.comments},
                              {QStringLiteral("headersFooters"), counts.headersFooters},
                              {QStringLiteral("textBoxes"), counts.textBoxes}});
    if (output.pageWidth() > 0 || output.pageHeight() > 0) {
        result.insert(QStringLiteral("paper"), QJsonObject{{QStringLiteral("width"), output.pageWidth()},
                                                           {QStringLiteral("height"), output.pageHeight()}});
    }
    return result;
}

QString DocumentInfo::toText(const QString &fileName, const CollectingOutput &output)
{
    QStringList lines;
    QList<QPair<QString, QString>> items;
    items.append({QStringLiteral("File"), fileName});
    for (const TextItem &item : s_textItems) {
        const QString value = (output.*item.getter)();
        if (!value.isNull())
            items.append({QString::fromLatin1(item.label), value});
    }
    for (const DateItem &item : s_dateItems) {
        const QDateTime value = (output.*item.getter)();
        if (value.isValid())
            items.append({QString::fromLatin1(item.label), dateText(value)});
    }
    for (const CountItem &item : s_countItems) {
        const int value = (output.*item.getter)();
        if (value != -1)
            items.append({QString::fromLatin1(item.label), QString::number(value)});
    }
    if (output.pageWidth() > 0 || output.pageHeight() > 0) {
        items.append({QStringLiteral("Paper"), QStringLiteral("%1 x %2 twips (%3 x %4 in)")
                                                   .arg(output.pageWidth())
                                                   .arg(output.pageHeight())
                                                   .arg(output.pageWidth() / 1440.0)
                                                   .arg(output.pageHeight() / 1440.0)});
    }
    int labelWidth = 0;
    for (const auto &item : std::as_const(items))
        labelWidth = std::max(labelWidth, int(item.first.size()));
    for (const auto &item : std::as_const(items)) {
        // Values that span lines (comments) keep their later lines indented.
        QString value = item.second;
        value.replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(labelWidth + 2, QLatin1Char(' ')));
        lines.append(QStringLiteral("%1  %2").arg(item.first + QLatin1Char(':'), -(labelWidth + 1)).arg(value));
    }

    const QStringList names = sortedPropertyNames(output);
    lines.append(QString());
    lines.append(QStringLiteral("User properties: %1").arg(names.size()));
    for (const QString &name : names) {
        const QVariant value = output.userProp(name);
        lines.append(QStringLiteral("  %1 (%2): %3").arg(name, propertyType(value), propertyText(value)));
    }

    lines.append(QString());
    lines.append(QStringLiteral("Fonts: %1").arg(output.fonts().size()));
    for (auto it = output.fonts().cbegin(); it != output.fonts().cend(); ++it) {
        lines.append(QStringLiteral("  %1  %2  (%3, %4 pitch, code page %5)")
                         .arg(QStringLiteral("f%1").arg(it.key()), -5)
                         .arg(it->fontName(), familyName(it->fontFamily()), pitchName(it->fontPitch()),
                              it->encoding().isEmpty() ? QStringLiteral("none") : it->encoding()));
    }

    lines.append(QString());
    lines.append(QStringLiteral("Colours: %1").arg(output.colours().size()));
    for (int i = 0; i < output.colours().size(); ++i) {
        const QColor &colour = output.colours().at(i);
        lines.append(QStringLiteral("  %1  %2").arg(i, 3).arg(colour.isValid() ? colourName(colour)
                                                                              : QStringLiteral("automatic")));
    }

    lines.append(QString());
    lines.append(QStringLiteral("Styles: %1").arg(output.styles().size()));
    for (auto it = output.styles().cbegin(); it != output.styles().cend(); ++it) {
        lines.append(QStringLiteral("  %1  %2  (%3, indents %4/%5, space before %6, %7)")
                         .arg(QStringLiteral("s%1").arg(it.key()), -5)
                         .arg(it->styleName(), alignmentName(it->textAlignment()))
                         .arg(it->leftIndent())
                         .arg(it->rightIndent())
                         .arg(it->topMargin())
                         .arg(directionName(it->layoutDirection())));
    }

    lines.append(QString());
    lines.append(QStringLiteral("Pictures: %1").arg(output.pictures().size()));
    for (const CollectingOutput::Picture &picture : output.pictures()) {
        const QString pixels = picture.pixelSize.isValid()
            ? QStringLiteral("%1 x %2 pixels").arg(picture.pixelSize.width()).arg(picture.pixelSize.height())
            : QStringLiteral("unreadable");
        lines.append(QStringLiteral("  %1  %2, %3 bytes, %4, shown at %5 x %6")
                         .arg(picture.name, picture.format)
                         .arg(picture.byteCount)
                         .arg(pixels)
                         .arg(picture.displaySize.width())
                         .arg(picture.displaySize.height()));
    }

    const CollectingOutput::StructureCounts &counts = output.structureCounts();
    lines.append(QString());
    lines.append(QStringLiteral("Links: %1").arg(counts.links));
    lines.append(QStringLiteral("Footnotes: %1").arg(counts.footnotes));
    lines.append(QStringLiteral("Endnotes: %1").arg(counts.endnotes));
    lines.append(QStringLiteral("Comments: %1").arg(counts.comments));
    lines.append(QStringLiteral("Headers and footers: %1").arg(counts.headersFooters));
    lines.append(QStringLiteral("Text boxes: %1").arg(counts.textBoxes));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

#ifndef TAVISK_TOOL_DOCUMENTINFO_H
#define TAVISK_TOOL_DOCUMENTINFO_H

#include <QColor>
#include <QJsonObject>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVariant>

class CollectingOutput;

/// What `tavisk info` shows: metadata, user properties, font, colour and
/// style tables and pictures of a parsed document. collect() gathers them
/// once; toJson() and toText() write the same model two ways. Every text in
/// the model is free of control characters other than tab and line ends.
namespace DocumentInfo
{
struct MetadataItem {
    QString key;    ///< JSON key: the getter's name
    QString label;  ///< label of the text listing
    QVariant value; ///< QString, QDateTime or int; invalid when the document gives none
};

struct Property {
    QString name;
    QString type;   ///< as RTF names it (\proptype): text, integer, real, boolean, date
    QVariant value; ///< text (dates as ISO 8601 text), number or truth value; invalid for none
};

struct Font {
    unsigned int index = 0;
    QString name;
    QString family;
    QString pitch;
    QString encoding; ///< empty when the font names no code page
};

struct Style {
    unsigned int index = 0;
    QString name;
    QString alignment;
    int leftIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    QString direction;
};

struct Picture {
    QString name;
    QString format;
    qint64 byteCount = 0;
    QSizeF displaySize;
    QSize pixelSize; ///< invalid when Qt cannot read the picture
};

struct Model {
    QString file;
    QList<MetadataItem> metadata;
    int paperWidth = 0;  ///< twips, 0 when not given
    int paperHeight = 0;
    QList<Property> userProperties; ///< sorted by name
    QList<Font> fonts;
    QList<QColor> colours; ///< invalid for the automatic colour
    QList<Style> styles;
    QList<Picture> pictures;
    int tables = 0; ///< tables, nested ones included
    int nestedTables = 0;
    int lists = 0;
    int links = 0; ///< hyperlink fields
    int footnotes = 0;
    int endnotes = 0;
    int comments = 0;
    int headersFooters = 0;
    int textBoxes = 0;
};

/// Everything @p output was handed, for the file shown as @p fileName.
Model collect(const QString &fileName, const CollectingOutput &output);
/// One JSON object. Metadata the document does not give is null.
QJsonObject toJson(const Model &model);
/// A readable listing, one item a line; metadata the document does not give
/// is left out.
QString toText(const Model &model);
} // namespace DocumentInfo

#endif

#ifndef TAVISK_TOOL_DOCUMENTINFO_H
#define TAVISK_TOOL_DOCUMENTINFO_H

#include <QJsonObject>
#include <QString>

class CollectingOutput;

/// What `tavisk info` shows: metadata, user properties, font, colour and
/// style tables and pictures of a parsed document.
namespace DocumentInfo
{
/// One JSON object. Metadata the document does not give is null.
QJsonObject toJson(const QString &fileName, const CollectingOutput &output);
/// A readable listing, one item a line; metadata the document does not give
/// is left out.
QString toText(const QString &fileName, const CollectingOutput &output);
} // namespace DocumentInfo

#endif

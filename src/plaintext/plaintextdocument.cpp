#include "plaintextdocument_p.h"

#include <algorithm>

namespace Tavisk
{
namespace PlainText
{

void Paragraph::appendLinked(QStringView added, const QString &href)
{
    const qsizetype start = text.size();
    text += added;
    linkAppended(start, href);
}

void Paragraph::linkedTextAppended(qsizetype start, const QString &href)
{
    if (!lastHref.isSharedWith(href))
        lastHref = href;
    if (lastLink >= 0 && links[size_t(lastLink)].href == href && links[size_t(lastLink)].end == start) {
        links[size_t(lastLink)].end = text.size();
        return;
    }
    links.push_back(Link{start, text.size(), href});
    lastLink = int(links.size()) - 1;
}

void Paragraph::append(const Paragraph &other)
{
    const qsizetype offset = text.size();
    if (!leadingDone) {
        leadingSpaces += other.leadingSpaces;
        leadingSpacesInText += other.leadingSpacesInText;
        leadingDone = other.leadingDone;
    }
    if (other.length > 0) {
        if (other.raisedStart < 0)
            raisedStart = -1;
        else if (other.raisedStart > 0 || raisedStart < 0)
            raisedStart = offset + other.raisedStart;
    }
    text += other.text;
    if (other.length > 0)
        lastHref = other.lastHref;
    length += other.length;
    keptLength += other.keptLength;
    const int lastBefore = lastLink;
    const int base = int(links.size());
    bool joined = false;
    for (size_t i = 0; i < other.links.size(); ++i) {
        Link link = other.links[i];
        link.start += offset;
        link.end += offset;
        // Two blocks that join make one run of a link where they meet.
        if (i == 0 && lastBefore >= 0 && links[size_t(lastBefore)].end == link.start
            && links[size_t(lastBefore)].href == link.href) {
            links[size_t(lastBefore)].end = link.end;
            joined = true;
            continue;
        }
        links.push_back(link);
    }
    if (other.keptLength > 0) {
        if (other.lastLink < 0)
            lastLink = -1;
        else if (joined && other.lastLink == 0)
            lastLink = lastBefore;
        else
            lastLink = base + other.lastLink - (joined ? 1 : 0);
    }
}

void Paragraph::removeStart(qsizetype count)
{
    count = std::min(count, text.size());
    if (count <= 0)
        return;
    text.remove(0, count);
    length = std::max<qsizetype>(0, length - count);
    keptLength = std::max<qsizetype>(0, keptLength - count);
    std::vector<Link> kept;
    for (Link link : links) {
        link.start = std::max<qsizetype>(0, link.start - count);
        link.end -= count;
        if (link.end > link.start)
            kept.push_back(link);
    }
    const bool lastKept = lastLink >= 0 && links[size_t(lastLink)].end - count > 0;
    links = std::move(kept);
    lastLink = lastKept ? int(links.size()) - 1 : -1;
    if (raisedStart >= 0)
        raisedStart = std::max<qsizetype>(0, raisedStart - count);
}

QString Paragraph::displayText(bool showAddresses) const
{
    if (links.empty())
        return text;
    QString result;
    result.reserve(text.size() + 16);
    qsizetype at = 0;
    for (const Link &link : links) {
        result += QStringView(text).mid(at, link.start - at);
        const QStringView linked = QStringView(text).mid(link.start, link.end - link.start);
        if (link.isNote()) {
            result += QLatin1Char('[');
            result += linked;
            result += QLatin1Char(']');
        } else {
            result += linked;
            // Runs of one address are one link; two links next to each
            // other were cut apart (by a picture).
            if (showAddresses && link.isAddress())
                result += QStringLiteral(" <%1>").arg(link.href);
        }
        at = link.end;
    }
    result += QStringView(text).mid(at);
    return result;
}

} // namespace PlainText
} // namespace Tavisk

#include "plaintextdocument_p.h"

#include <algorithm>

namespace Tavisk
{
namespace PlainText
{

std::unique_ptr<char16_t[]> TextBuffer::grow(qsizetype count)
{
    // Doubles, as a QString grows: appending stays linear.
    const qsizetype capacity = std::max({m_size + count, 2 * m_capacity, qsizetype(64)});
    std::unique_ptr<char16_t[]> data(new char16_t[size_t(capacity)]);
    if (m_size > 0)
        std::memcpy(data.get(), m_data.get(), size_t(m_size) * sizeof(char16_t));
    m_capacity = capacity;
    std::swap(m_data, data);
    return data;
}

void TextBuffer::insert(qsizetype at, QStringView text)
{
    at = std::clamp<qsizetype>(at, 0, m_size);
    // Through a copy: the text may be part of this buffer.
    const QString copy = text.toString();
    const qsizetype after = m_size - at;
    extend(copy.size());
    char16_t *const data = m_data.get();
    std::memmove(data + at + copy.size(), data + at, size_t(after) * sizeof(char16_t));
    std::memcpy(data + at, copy.utf16(), size_t(copy.size()) * sizeof(char16_t));
}

void TextBuffer::removeStart(qsizetype count)
{
    count = std::clamp<qsizetype>(count, 0, m_size);
    std::memmove(m_data.get(), m_data.get() + count, size_t(m_size - count) * sizeof(char16_t));
    m_size -= count;
}

void Paragraph::appendLinked(QStringView added, const QString &href)
{
    const qsizetype start = text.size();
    text.append(added);
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
    text.append(other.text.view());
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
    text.removeStart(count);
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
        return text.toString();
    QString result;
    appendDisplayText(result, showAddresses);
    return result;
}

void Paragraph::appendDisplayText(QString &result, bool showAddresses) const
{
    result.reserve(result.size() + text.size() + 16 * qsizetype(links.size()));
    qsizetype at = 0;
    for (const Link &link : links) {
        result += text.view().mid(at, link.start - at);
        const QStringView linked = text.view().mid(link.start, link.end - link.start);
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
    result += text.view().mid(at);
}

} // namespace PlainText
} // namespace Tavisk

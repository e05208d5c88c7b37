// The parse loop: routes the tokens of the document to a stack of
// destinations, one for each group that opened a destination.

#include "reader_p.h"

#include "controlword/controlword_p.h"
#include "logging_p.h"
#include "tokenizer/tokenizer.h"

#include "destinations/colortabledestination.h"
#include "destinations/destination.h"
#include "destinations/documentdestination.h"
#include "destinations/fonttabledestination.h"
#include "destinations/ignoreddestination.h"
#include "destinations/infocreatedtimedestination.h"
#include "destinations/infodestination.h"
#include "destinations/infoprintedtimedestination.h"
#include "destinations/inforevisedtimedestination.h"
#include "destinations/pictdestination.h"
#include "destinations/stylesheetdestination.h"
#include "destinations/userpropsdestination.h"

#include "destinations/annotationdestination.h"
#include "destinations/bookmarkdestination.h"
#include "destinations/commentpartdestination.h"
#include "destinations/commentrangedestination.h"
#include "destinations/fielddestination.h"
#include "destinations/fieldinstructiondestination.h"
#include "destinations/footnotedestination.h"
#include "destinations/headerfooterdestination.h"
#include "destinations/shapedestination.h"
#include "destinations/shapetextdestination.h"

#include "destinations/authorpcdatadestination.h"
#include "destinations/categorypcdatadestination.h"
#include "destinations/commentpcdatadestination.h"
#include "destinations/companypcdatadestination.h"
#include "destinations/documentcommentpcdatadestination.h"
#include "destinations/generatorpcdatadestination.h"
#include "destinations/hlinkbasepcdatadestination.h"
#include "destinations/keywordspcdatadestination.h"
#include "destinations/managerpcdatadestination.h"
#include "destinations/operatorpcdatadestination.h"
#include "destinations/subjectpcdatadestination.h"
#include "destinations/titlepcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

#include <QDebug>
#include <QHash>

#include <algorithm>

namespace Tavisk
{

namespace
{
using DestinationFactory = Destination *(*)(AbstractRtfOutput *output, const QString &name);

template<typename T>
Destination *create(AbstractRtfOutput *output, const QString &name)
{
    return new T(output, name);
}

// The destination names that have a handler class of their own. Supported
// names not listed here are read through a plain Destination.
const QHash<QString, DestinationFactory> &destinationTable()
{
    static const QHash<QString, DestinationFactory> table = {
        {QStringLiteral("rtf"), &create<DocumentDestination>},
        {QStringLiteral("ignorable"), &create<IgnoredDestination>},
        {QStringLiteral("fonttbl"), &create<FontTableDestination>},
        {QStringLiteral("colortbl"), &create<ColorTableDestination>},
        {QStringLiteral("stylesheet"), &create<StyleSheetDestination>},
        {QStringLiteral("pict"), &create<PictDestination>},
        {QStringLiteral("info"), &create<InfoDestination>},
        {QStringLiteral("creatim"), &create<InfoCreatedTimeDestination>},
        {QStringLiteral("revtim"), &create<InfoRevisedTimeDestination>},
        {QStringLiteral("printim"), &create<InfoPrintedTimeDestination>},
        {QStringLiteral("author"), &create<AuthorPcdataDestination>},
        {QStringLiteral("company"), &create<CompanyPcdataDestination>},
        {QStringLiteral("operator"), &create<OperatorPcdataDestination>},
        {QStringLiteral("title"), &create<TitlePcdataDestination>},
        {QStringLiteral("subject"), &create<SubjectPcdataDestination>},
        {QStringLiteral("comment"), &create<CommentPcdataDestination>},
        {QStringLiteral("doccomm"), &create<DocumentCommentPcdataDestination>},
        {QStringLiteral("manager"), &create<ManagerPcdataDestination>},
        {QStringLiteral("category"), &create<CategoryPcdataDestination>},
        {QStringLiteral("keywords"), &create<KeywordsPcdataDestination>},
        {QStringLiteral("hlinkbase"), &create<HLinkBasePcdataDestination>},
        {QStringLiteral("generator"), &create<GeneratorPcdataDestination>},
        {QStringLiteral("userprops"), &create<UserPropsDestination>},
        // Fields, bookmarks, notes, comments, headers and footers, shapes
        {QStringLiteral("field"), &create<FieldDestination>},
        {QStringLiteral("fldinst"), &create<FieldInstructionDestination>},
        {QStringLiteral("bkmkstart"), &create<BookmarkDestination>},
        {QStringLiteral("bkmkend"), &create<BookmarkDestination>},
        {QStringLiteral("footnote"), &create<FootnoteDestination>},
        {QStringLiteral("annotation"), &create<AnnotationDestination>},
        {QStringLiteral("atnid"), &create<CommentPartDestination>},
        {QStringLiteral("atnauthor"), &create<CommentPartDestination>},
        {QStringLiteral("atnref"), &create<CommentPartDestination>},
        {QStringLiteral("atndate"), &create<CommentPartDestination>},
        {QStringLiteral("atrfstart"), &create<CommentRangeDestination>},
        {QStringLiteral("atrfend"), &create<CommentRangeDestination>},
        {QStringLiteral("header"), &create<HeaderFooterDestination>},
        {QStringLiteral("headerl"), &create<HeaderFooterDestination>},
        {QStringLiteral("headerr"), &create<HeaderFooterDestination>},
        {QStringLiteral("headerf"), &create<HeaderFooterDestination>},
        {QStringLiteral("footer"), &create<HeaderFooterDestination>},
        {QStringLiteral("footerl"), &create<HeaderFooterDestination>},
        {QStringLiteral("footerr"), &create<HeaderFooterDestination>},
        {QStringLiteral("footerf"), &create<HeaderFooterDestination>},
        {QStringLiteral("shp"), &create<ShapeDestination>},
        {QStringLiteral("shpinst"), &create<ShapeInstructionDestination>},
        {QStringLiteral("shptxt"), &create<ShapeTextDestination>},
        {QStringLiteral("dptxbxtext"), &create<ShapeTextDestination>},
        {QStringLiteral("shprslt"), &create<ShapeResultDestination>},
    };
    return table;
}

// A parameter is converted like QString::toInt in base 10: digits with an
// optional leading '-'; anything else (no digit, a '-' elsewhere), or a value
// outside 32 bits, gives 0. The tokenizer puts only digits and '-' into a
// parameter, so reading them directly gives the same values without the
// general conversion.
inline int parameterValue(const Token &token)
{
    if (!token.hasParameter)
        return 0;
    const QChar *c = token.parameter.constData();
    const QChar *const end = c + token.parameter.size();
    const bool negative = c != end && *c == QLatin1Char('-');
    if (negative)
        ++c;
    if (c == end)
        return 0;
    // The magnitude stops growing past the 32-bit range, so leading zeros of
    // any length still give their value and an overflow cannot wrap.
    constexpr qint64 limit = qint64(1) << 31;
    qint64 magnitude = 0;
    for (; c != end; ++c) {
        const char16_t digit = c->unicode();
        if (digit < u'0' || digit > u'9')
            return 0;
        magnitude = std::min(magnitude * 10 + (digit - u'0'), limit + 1);
    }
    if (negative)
        return magnitude <= limit ? int(-magnitude) : 0;
    return magnitude < limit ? int(magnitude) : 0;
}
// Whether a word's name is @p name, compared inline: the loop asks twice for
// every control word.
template<std::size_t N>
inline bool isName(const QByteArray &word, const char (&name)[N])
{
    return word.size() == qsizetype(N - 1) && std::equal(name, name + N - 1, word.constData());
}
} // namespace

void ReaderPrivate::parseDocument(Tokenizer &tokenizer)
{
    m_debugEnabled = lcRtf().isDebugEnabled();
    m_stateStack.push_back(GroupState{true, true});
    m_destinationStack.emplace_back(makeDestination(QStringLiteral("rtf")));
    m_debugIndent = m_debugEnabled ? QStringLiteral("\t") : QString();
    m_atGroupStart = false;
    m_ignorable = false;

    for (;;) {
        const Token token = tokenizer.fetchToken();
        switch (token.type) {
        case OpenGroup:
            handleOpenGroup();
            break;
        case CloseGroup:
            if (handleCloseGroup())
                return;
            break;
        case Control:
            handleControlWord(token);
            break;
        case Plain:
            topDestination()->handlePlainText(token.name);
            break;
        case Binary:
            qCDebug(lcRtf) << "binary data:" << token.name;
            break;
        case EndOfFile:
            // Groups left open stay on the stacks; their destinations are not
            // ended and are deleted with the reader or at the next parse.
            return;
        default:
            qCDebug(lcRtf) << "Unexpected token Type";
            break;
        }
    }
}

bool ReaderPrivate::handleOpenGroup()
{
    m_stateStack.push_back(GroupState{false, false});
    m_output->startGroup();
    m_atGroupStart = true;
    if (m_debugEnabled)
        m_debugIndent.append(QLatin1Char('\t'));
    return false;
}

bool ReaderPrivate::handleCloseGroup()
{
    if (m_debugEnabled)
        m_debugIndent.remove(0, 1);
    const GroupState state = m_stateStack.back();
    m_stateStack.pop_back();
    if (!state.endsDocument)
        m_output->endGroup();
    if (state.destinationChanged) {
        // The output hears of the group's end before the destination does.
        const std::unique_ptr<Destination> destination = std::move(m_destinationStack.back());
        m_destinationStack.pop_back();
        destination->aboutToEndDestination();
    }
    m_atGroupStart = true;
    return state.endsDocument;
}

void ReaderPrivate::handleControlWord(const Token &token)
{
    const ControlWordClass controlWord = classifyControlWord(token.name);
    if (!controlWord.known)
        qCDebug(lcRtf) << "*** Unrecognised control word (not in spec 1.9.1): " << token.name;

    bool openDestination = false;
    if (isName(token.name, "ud")) {
        // \ud holds the Unicode version of a \upr group: its content
        // is read as ordinary body text.
        m_ignorable = controlWord.supportedDestination;
        if (m_ignorable)
            openDestination = true;
        else
            m_atGroupStart = false;
    } else if (m_atGroupStart) {
        if (controlWord.supportedDestination) {
            openDestination = true;
        } else if (m_ignorable) {
            qCDebug(lcRtf) << "ignorable destination word:" << token.name;
            changeDestination(QStringLiteral("ignorable"));
            m_ignorable = false;
            m_atGroupStart = false;
            return;
        } else {
            m_atGroupStart = false;
        }
    }

    if (openDestination) {
        changeDestination(QString::fromUtf8(token.name));
        m_ignorable = false;
        m_atGroupStart = false;
        return;
    }

    if (isName(token.name, "*")) {
        m_ignorable = true;
        m_atGroupStart = true;
    }
    topDestination()->handleControlWord(token.name, token.hasParameter, parameterValue(token));
}

void ReaderPrivate::changeDestination(const QString &destinationName)
{
    // Inside an ignored destination nothing opens a destination of its own.
    if (topDestination()->name() == QLatin1String("ignorable"))
        return;
    // Nor inside one that reads or drops all of its groups itself.
    Destination *const enclosing = topDestination();
    if (!enclosing->allowsNestedDestination(destinationName))
        return;

    m_destinationStack.emplace_back(makeDestination(destinationName));
    m_destinationStack.back()->setEnclosingDestination(enclosing);
    m_stateStack.back().destinationChanged = true;

    if (m_debugEnabled) {
        QStringList names;
        names.reserve(qsizetype(m_destinationStack.size()));
        for (const auto &destination : m_destinationStack)
            names.append(destination->name());
        qCDebug(lcRtf) << m_debugIndent << "destinationStack after changeDestination (" << names << ")";
    }
}

Destination *ReaderPrivate::makeDestination(const QString &destinationName) const
{
    const DestinationFactory factory = destinationTable().value(destinationName);
    if (factory)
        return factory(m_output, destinationName);
    qCDebug(lcRtf) << "creating plain old Destination for" << destinationName;
    return new Destination(m_output, destinationName);
}

} // namespace Tavisk

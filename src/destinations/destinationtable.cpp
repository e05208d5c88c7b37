#include "destinationtable_p.h"

#include "reader/logging_p.h"
#include "wordtable_p.h"

#include "authorpcdatadestination.h"
#include "categorypcdatadestination.h"
#include "colortabledestination.h"
#include "commentpcdatadestination.h"
#include "companypcdatadestination.h"
#include "destination.h"
#include "documentcommentpcdatadestination.h"
#include "documentdestination.h"
#include "fonttabledestination.h"
#include "generatorpcdatadestination.h"
#include "hlinkbasepcdatadestination.h"
#include "ignoreddestination.h"
#include "infocreatedtimedestination.h"
#include "infodestination.h"
#include "infoprintedtimedestination.h"
#include "inforevisedtimedestination.h"
#include "keywordspcdatadestination.h"
#include "managerpcdatadestination.h"
#include "operatorpcdatadestination.h"
#include "pictdestination.h"
#include "pndestination.h"
#include "listtextdestination.h"
#include "listtabledestination.h"
#include "listoverridetabledestination.h"
#include "stylesheetdestination.h"
#include "subjectpcdatadestination.h"
#include "titlepcdatadestination.h"
#include "userpropsdestination.h"

#include <QDebug>

#include <iterator>

namespace Tavisk
{
namespace DestinationTable
{

namespace
{
template<typename T>
Destination *create(AbstractRtfOutput *output, const QString &name)
{
    return new T(output, name);
}

// Sorted by name (byte order) for findWord().
constexpr Entry table[] = {
    {"author", &create<AuthorPcdataDestination>, true},
    {"category", &create<CategoryPcdataDestination>, true},
    {"colortbl", &create<ColorTableDestination>, true},
    {"comment", &create<CommentPcdataDestination>, true},
    {"company", &create<CompanyPcdataDestination>, true},
    {"creatim", &create<InfoCreatedTimeDestination>, true},
    {"doccomm", &create<DocumentCommentPcdataDestination>, true},
    {"fonttbl", &create<FontTableDestination>, true},
    {"generator", &create<GeneratorPcdataDestination>, true},
    {"hlinkbase", &create<HLinkBasePcdataDestination>, true},
    {"ignorable", &create<IgnoredDestination>, false},
    {"info", &create<InfoDestination>, true},
    {"keywords", &create<KeywordsPcdataDestination>, true},
    {"listoverridetable", &create<ListOverrideTableDestination>, true},
    {"listtable", &create<ListTableDestination>, true},
    {"listtext", &create<ListTextDestination>, true},
    {"manager", &create<ManagerPcdataDestination>, true},
    {"mmathPr", nullptr, true},
    {"nesttableprops", &create<DocumentDestination>, true},
    {"nonesttables", &create<IgnoredDestination>, true},
    {"operator", &create<OperatorPcdataDestination>, true},
    {"pgdsc", nullptr, true},
    {"pgdsctbl", nullptr, true},
    {"pict", &create<PictDestination>, true},
    {"pn", &create<PnDestination>, true},
    {"pntext", &create<ListTextDestination>, true},
    {"pntxta", nullptr, true},
    {"pntxtb", nullptr, true},
    {"printim", &create<InfoPrintedTimeDestination>, true},
    {"revtim", &create<InfoRevisedTimeDestination>, true},
    {"rtf", &create<DocumentDestination>, false},
    {"shp", nullptr, true},
    {"shpinst", nullptr, true},
    {"shppict", nullptr, true},
    {"stylesheet", &create<StyleSheetDestination>, true},
    {"subject", &create<SubjectPcdataDestination>, true},
    {"title", &create<TitlePcdataDestination>, true},
    // {\upr{ANSI version}{\*\ud{Unicode version}}}: the group's own
    // content is dropped, \ud's is read as the body is.
    {"ud", &create<DocumentDestination>, true},
    {"upr", &create<IgnoredDestination>, true},
    {"userprops", &create<UserPropsDestination>, true},
};

static_assert(isSortedByName(table), "the destination table must stay sorted by name");
} // namespace

Entries entries()
{
    return {std::begin(table), std::end(table)};
}

bool isSupported(const QByteArray &name)
{
    const Entry *entry = findWord(table, name);
    return entry && entry->openedByWord;
}

std::unique_ptr<Destination> create(AbstractRtfOutput *output, const QString &name)
{
    const Entry *entry = findWord(table, name.toLatin1());
    if (entry && entry->factory)
        return std::unique_ptr<Destination>(entry->factory(output, name));
    qCDebug(lcRtf) << "creating plain old Destination for" << name;
    return std::make_unique<Destination>(output, name);
}

} // namespace DestinationTable
} // namespace Tavisk

#include "destinationtable_p.h"

#include "reader/logging_p.h"
#include "wordtable_p.h"

#include "annotationdestination.h"
#include "authorpcdatadestination.h"
#include "bookmarkdestination.h"
#include "categorypcdatadestination.h"
#include "colortabledestination.h"
#include "commentpartdestination.h"
#include "commentpcdatadestination.h"
#include "commentrangedestination.h"
#include "companypcdatadestination.h"
#include "destination.h"
#include "documentcommentpcdatadestination.h"
#include "documentdestination.h"
#include "fielddestination.h"
#include "fieldinstructiondestination.h"
#include "fonttabledestination.h"
#include "footnotedestination.h"
#include "generatorpcdatadestination.h"
#include "headerfooterdestination.h"
#include "hlinkbasepcdatadestination.h"
#include "ignoreddestination.h"
#include "infocreatedtimedestination.h"
#include "infodestination.h"
#include "infoprintedtimedestination.h"
#include "inforevisedtimedestination.h"
#include "keywordspcdatadestination.h"
#include "listoverridetabledestination.h"
#include "listtabledestination.h"
#include "listtextdestination.h"
#include "managerpcdatadestination.h"
#include "operatorpcdatadestination.h"
#include "pictdestination.h"
#include "pndestination.h"
#include "shapedestination.h"
#include "shapetextdestination.h"
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
    {"annotation", &create<AnnotationDestination>, true},
    {"atnauthor", &create<CommentPartDestination>, true},
    {"atndate", &create<CommentPartDestination>, true},
    {"atnid", &create<CommentPartDestination>, true},
    {"atnref", &create<CommentPartDestination>, true},
    {"atrfend", &create<CommentRangeDestination>, true},
    {"atrfstart", &create<CommentRangeDestination>, true},
    {"author", &create<AuthorPcdataDestination>, true},
    {"bkmkend", &create<BookmarkDestination>, true},
    {"bkmkstart", &create<BookmarkDestination>, true},
    {"category", &create<CategoryPcdataDestination>, true},
    {"colortbl", &create<ColorTableDestination>, true},
    {"comment", &create<CommentPcdataDestination>, true},
    {"company", &create<CompanyPcdataDestination>, true},
    {"creatim", &create<InfoCreatedTimeDestination>, true},
    {"do", nullptr, true},
    {"doccomm", &create<DocumentCommentPcdataDestination>, true},
    {"dptxbxtext", &create<ShapeTextDestination>, true},
    {"field", &create<FieldDestination>, true},
    {"fldinst", &create<FieldInstructionDestination>, true},
    {"fonttbl", &create<FontTableDestination>, true},
    {"footer", &create<HeaderFooterDestination>, true},
    {"footerf", &create<HeaderFooterDestination>, true},
    {"footerl", &create<HeaderFooterDestination>, true},
    {"footerr", &create<HeaderFooterDestination>, true},
    {"footnote", &create<FootnoteDestination>, true},
    {"generator", &create<GeneratorPcdataDestination>, true},
    {"header", &create<HeaderFooterDestination>, true},
    {"headerf", &create<HeaderFooterDestination>, true},
    {"headerl", &create<HeaderFooterDestination>, true},
    {"headerr", &create<HeaderFooterDestination>, true},
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
    {"shp", &create<ShapeDestination>, true},
    {"shpinst", &create<ShapeInstructionDestination>, true},
    {"shppict", nullptr, true},
    {"shprslt", &create<ShapeResultDestination>, true},
    {"shptxt", &create<ShapeTextDestination>, true},
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

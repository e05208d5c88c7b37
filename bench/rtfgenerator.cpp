// rtfgenerator: writes large, realistic RTF documents for the benchmark, and
// the hostile inputs that stress one structure of the reader at a time.
//
// Every file is deterministic: the same arguments always give the same bytes
// (a fixed seed and our own random number generator, not the standard
// library's distributions, whose output differs between implementations).
//
//   rtfgenerator document SIZE_MB OUTPUT      a document of about SIZE_MB MiB:
//                                             paragraphs of mixed scripts and
//                                             formats, with tables, lists, links,
//                                             footnotes and pictures among them
//   rtfgenerator hostile KIND SIZE OUTPUT     one hostile input (see below)
//   rtfgenerator pictures COUNT OUTPUT [LAYOUT]
//                                             COUNT small pictures (see below)

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
constexpr qint64 MiB = 1024 * 1024;

// splitmix64: small, fast and identical on every platform.
class Random
{
public:
    explicit Random(quint64 seed)
        : m_state(seed)
    {
    }
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    quint64 m_state;
};

struct Font {
    const char *family;
    const char *name;
    int charset;
};

// Fonts with the character sets of the scripts below, and a few more so that
// the table carries many code pages.
constexpr Font fonts[] = {
    {"froman", "Times New Roman", 0},  {"fswiss", "Arial", 0},           {"fmodern", "Courier New", 0},
    {"froman", "Times New Roman CE", 238}, {"froman", "Times New Roman Cyr", 204}, {"froman", "Times New Roman Greek", 161},
    {"froman", "Times New Roman Tur", 162}, {"froman", "Times New Roman Baltic", 186}, {"fnil", "MS Mincho", 128},
    {"fnil", "SimSun", 134},            {"fnil", "MingLiU", 136},         {"fnil", "Batang", 129},
    {"fnil", "Tahoma Thai", 222},       {"fnil", "Arial Hebrew", 177},    {"fnil", "Arial Arabic", 178},
    {"fnil", "Symbol", 2},              {"fswiss", "Arial Vietnamese", 163}, {"fnil", "Mac Roman", 77},
    {"fnil", "OEM Font", 255},          {"fswiss", "Calibri", 1},
};
constexpr int fontCount = sizeof(fonts) / sizeof(fonts[0]);

// Words of text per script: Latin-1 text is written with \'hh escapes for its
// accented letters, Cyrillic and Greek as \'hh bytes of their code pages
// (under the matching font), and the far-eastern scripts as \u characters
// with a '?' fallback, as word processors write them.
const char *const englishWords[] = {"the", "reader", "document", "paragraph", "formatting", "table", "colour",
                                    "picture", "style", "measure", "linear", "quick", "brown", "fox", "jumps",
                                    "over", "lazy", "dog", "and", "of", "in", "to", "with", "large", "file"};
const char *const frenchWords[] = {"caf\\'e9", "na\\'efve", "\\'e0", "d\\'e9j\\'e0", "\\'e9t\\'e9", "gar\\'e7on",
                                   "fen\\'eatre", "ch\\'e2teau", "o\\'f9", "tr\\'e8s", "na\\'eft", "No\\'ebl"};
// Windows-1251 bytes of a few Russian words.
const char *const russianWords[] = {"\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2", "\\'ec\\'e8\\'f0", "\\'e4\\'ee\\'ea\\'f3\\'ec\\'e5\\'ed\\'f2",
                                    "\\'f2\\'e5\\'ea\\'f1\\'f2", "\\'e8", "\\'ed\\'e0"};
// Windows-1253 bytes of a few Greek words.
const char *const greekWords[] = {"\\'e1\\'eb\\'f6\\'e1", "\\'e2\\'e7\\'f4\\'e1", "\\'eb\\'fc\\'e3\\'ef\\'f2",
                                  "\\'ea\\'e1\\'e9"};

const int japaneseChars[] = {26085, 26412, 35486, 12398, 25991, 26360, 12391, 12377, 12290};
const int chineseChars[] = {20013, 25991, 25991, 26723, 27979, 35797, 12290};
const int arabicChars[] = {1575, 1604, 1593, 1585, 1576, 1610, 1577};

template<typename T, int N>
constexpr int countOf(T (&)[N])
{
    return N;
}

class DocumentWriter
{
public:
    DocumentWriter(qint64 targetBytes, quint64 seed)
        : m_target(targetBytes)
        , m_random(seed)
    {
        m_out.reserve(targetBytes + 64 * 1024);
    }

    QByteArray write()
    {
        header();
        fontTable();
        colourTable();
        styleSheet();
        listTable();
        info();
        m_out += "\\paperw12240\\paperh15840\\margl1440\\margr1440\\widowctrl\\ftnbj\\aenddoc\\viewkind4\\uc1\n";
        qint64 nextPicture = 256 * 1024;
        bool afterTable = false;
        while (m_out.size() < m_target - 64) {
            // Tables and lists hold a few percent of the text each, as in
            // an ordinary report. Two tables always have a paragraph between
            // them: rows that follow a table are rows of that table.
            const int what = m_random.below(100);
            if (what < 3 && !afterTable)
                table();
            else if (what < 7)
                list();
            else
                paragraph();
            afterTable = what < 3 && !afterTable;
            if (m_out.size() >= nextPicture) {
                picture();
                nextPicture += MiB;
            }
        }
        m_out += "\\par\n}\n";
        return m_out;
    }

private:
    void header() { m_out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\deflangfe1033\n"; }

    void fontTable()
    {
        m_out += "{\\fonttbl";
        for (int i = 0; i < fontCount; ++i) {
            m_out += "{\\f" + QByteArray::number(i) + '\\' + fonts[i].family + "\\fcharset"
                + QByteArray::number(fonts[i].charset) + "\\fprq2 " + fonts[i].name + ";}\n";
        }
        m_out += "}\n";
    }

    void colourTable()
    {
        m_out += "{\\colortbl;";
        for (int i = 1; i < 17; ++i) {
            m_out += "\\red" + QByteArray::number(m_random.below(256)) + "\\green"
                + QByteArray::number(m_random.below(256)) + "\\blue" + QByteArray::number(m_random.below(256)) + ';';
        }
        m_out += "}\n";
    }

    void styleSheet()
    {
        m_out += "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\f0\\fs24\\lang1033 \\snext0 Normal;}\n";
        const char *const names[] = {"heading 1", "heading 2", "heading 3", "Body Text", "Quote", "Caption",
                                     "List Paragraph", "Title"};
        for (int i = 0; i < 8; ++i) {
            m_out += "{\\s" + QByteArray::number(i + 1) + "\\ql \\li0\\ri0\\sb240\\sa60\\keepn\\f"
                + QByteArray::number(i % 3) + "\\fs" + QByteArray::number(36 - 2 * i) + "\\b\\sbasedon0 \\snext0 "
                + names[i] + ";}\n";
        }
        m_out += "{\\*\\cs20 \\additive \\i\\cf2 Emphasis;}\n"
                 "{\\*\\cs21 \\additive \\ul\\cf2 \\sbasedon10 Hyperlink;}\n"
                 "{\\*\\cs22 \\additive \\super \\sbasedon10 footnote reference;}\n"
                 "{\\s23\\ql \\li0\\ri0\\widctlpar\\f0\\fs20 \\sbasedon0 \\snext23 footnote text;}\n}\n";
    }

    // The list of bullets, \ls1, and numbered lists, \ls2 to \ls9, each
    // starting again at 1, as Word writes them: two levels each.
    void listTable()
    {
        m_out += "{\\*\\listtable\n"
                 "{\\list\\listtemplateid-1771290512\\listhybrid"
                 "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0"
                 "\\levelindent0{\\leveltext\\leveltemplateid67698689\\'01\\u-3913 ?;}{\\levelnumbers;}\\f15\\fbias0 "
                 "\\fi-360\\li720\\lin720 }"
                 "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0"
                 "\\levelindent0{\\leveltext\\leveltemplateid67698691\\'01o;}{\\levelnumbers;}\\f2\\fbias0 "
                 "\\fi-360\\li1440\\lin1440 }{\\listname ;}\\listid1}\n"
                 "{\\list\\listtemplateid1442458392\\listhybrid"
                 "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0"
                 "\\levelindent0{\\leveltext\\leveltemplateid67698703\\'02\\'00.;}{\\levelnumbers\\'01;}\\fbias0 "
                 "\\fi-360\\li720\\lin720 }"
                 "{\\listlevel\\levelnfc4\\levelnfcn4\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1\\levelspace0"
                 "\\levelindent0{\\leveltext\\leveltemplateid67698713\\'02\\'01.;}{\\levelnumbers\\'01;}\\fbias0 "
                 "\\fi-360\\li1440\\lin1440 }{\\listname ;}\\listid2}}\n"
                 "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}";
        for (int ls = 2; ls < 2 + numberedLists; ++ls) {
            m_out += "{\\listoverride\\listid2\\listoverridecount1{\\lfolevel\\listoverridestartat\\levelstartat1}\\ls"
                + QByteArray::number(ls) + '}';
        }
        m_out += "}\n";
    }

    void info()
    {
        m_out += "{\\info{\\title Benchmark document}{\\subject Reading speed}{\\author Tavisk benchmark}"
                 "{\\operator Generator}{\\company Tavisk}{\\keywords rtf benchmark}"
                 "{\\doccomm Generated with a fixed seed.}"
                 "{\\creatim\\yr2024\\mo3\\dy14\\hr9\\min26}{\\revtim\\yr2024\\mo3\\dy15\\hr17\\min2}"
                 "{\\version3}{\\edmins42}{\\nofpages12}{\\nofwords4096}{\\nofchars24576}}\n"
                 "{\\*\\generator Tavisk rtfgenerator 1.0;}\n";
    }

    void picture()
    {
        // A small PNG with some structure, so that it compresses like a real one.
        QImage image(48 + m_random.below(32), 32 + m_random.below(32), QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 5) & 255, (y * 7) & 255, int(m_random.below(64))));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");

        m_out += "{\\pard\\qc {\\*\\shppict{\\pict\\pngblip\\picw" + QByteArray::number(image.width() * 26)
            + "\\pich" + QByteArray::number(image.height() * 26) + "\\picwgoal" + QByteArray::number(image.width() * 15)
            + "\\pichgoal" + QByteArray::number(image.height() * 15) + "\\picscalex100\\picscaley100\n";
        const QByteArray hex = png.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128) {
            m_out += hex.mid(i, 128);
            m_out += '\n';
        }
        m_out += "}}\\par}\n";
    }

    // A table as Word writes it: the row's definition before its cells and
    // again before \\row, borders on every cell, sometimes a shaded header row.
    void table()
    {
        const int columns = 2 + m_random.below(4);
        const int rows = 2 + m_random.below(6);
        const bool header = m_random.chance(50);
        const int width = 9576 / columns;
        for (int row = 0; row < rows; ++row) {
            QByteArray definition = "\\trowd \\irow" + QByteArray::number(row) + "\\irowband" + QByteArray::number(row)
                + (row == rows - 1 ? "\\lastrow " : " ") + "\\ltrrow\\ts11\\trgaph108\\trleft-108"
                + (header && row == 0 ? "\\trhdr" : "")
                + "\\trbrdrt\\brdrs\\brdrw10 \\trbrdrl\\brdrs\\brdrw10 \\trbrdrb\\brdrs\\brdrw10 "
                  "\\trbrdrr\\brdrs\\brdrw10 \\trbrdrh\\brdrs\\brdrw10 \\trbrdrv\\brdrs\\brdrw10 \n"
                  "\\trftsWidth1\\trftsWidthB3\\trftsWidthA3\\trautofit1\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddft3"
                  "\\trpaddfb3\\trpaddfr3\\tblrsid1\\tbllkhdrrows\\tbllkhdrcols\\tbllknocolband\\tblind0\\tblindtype3 ";
            for (int column = 0; column < columns; ++column) {
                definition += "\\clvertalt\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 "
                              "\\clbrdrr\\brdrs\\brdrw10 \\cltxlrtb\\clftsWidth3\\clwWidth"
                    + QByteArray::number(width) + (header && row == 0 ? "\\clcbpat8" : "") + "\\clshdrawnil \\cellx"
                    + QByteArray::number(width * (column + 1) - 108) + '\n';
            }
            m_out += definition;
            m_out += "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\intbl\\wrapdefault\\aspalpha\\aspnum\\faauto"
                     "\\adjustright\\rin0\\lin0 \\f0\\fs24 ";
            for (int column = 0; column < columns; ++column) {
                m_out += header && row == 0 ? "{\\b " : "{";
                const int words = 1 + m_random.below(6);
                for (int i = 0; i < words; ++i) {
                    if (i > 0)
                        m_out += ' ';
                    if (column > 0 && row > 0 && m_random.chance(20))
                        m_out += QByteArray::number(m_random.below(10000));
                    else
                        word(m_random.chance(80) ? 0 : 1);
                }
                m_out += "\\cell }";
            }
            m_out += "\n\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sa160\\sl259\\slmult1\\widctlpar\\intbl\\wrapdefault"
                     "\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0 {";
            m_out += definition;
            m_out += "\\row }\n";
        }
    }

    // Two to six items of a bullet or a numbered list, some at the second
    // level, each with the marker Word stores for readers without lists.
    void list()
    {
        const bool bullets = m_random.chance(50);
        const int ls = bullets ? 1 : 2 + m_random.below(numberedLists);
        const int items = 2 + m_random.below(5);
        int subitem = 0;
        for (int i = 0; i < items; ++i) {
            const int level = i > 0 && m_random.chance(25) ? 1 : 0;
            const QByteArray indent = QByteArray::number(720 * (level + 1));
            m_out += "\\pard\\plain \\ltrpar\\s7\\ql \\fi-360\\li" + indent
                + "\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto\\ls" + QByteArray::number(ls)
                + (level ? "\\ilvl1" : "") + "\\adjustright\\rin0\\lin" + indent + "\\itap0 \\f0\\fs24 {\\listtext\\pard\\plain \\ltrpar ";
            if (bullets) {
                m_out += level ? "\\f2\\fs24 o" : "\\f15\\fs24 \\'b7";
            } else if (level) {
                m_out += "\\f0\\fs24 ";
                m_out += char('a' + subitem++ % 26);
                m_out += '.';
            } else {
                subitem = 0;
                m_out += "\\f0\\fs24 " + QByteArray::number(++m_listNumbers[ls - 2]) + '.';
            }
            m_out += "\\tab}";
            const int runs = 1 + m_random.below(3);
            for (int r = 0; r < runs; ++r) {
                m_out += '{';
                if (m_random.chance(30))
                    formatting(0);
                m_out += r > 0 ? " " : "";
                run(m_random.chance(80) ? 0 : 1, 2);
                m_out += "}";
            }
            m_out += "\\par\n";
        }
    }

    // A link as Word writes it: a HYPERLINK field whose result carries the
    // Hyperlink character style.
    void link()
    {
        static const char *const hosts[] = {"www.example.com", "example.org", "docs.example.net"};
        m_out += "{\\field{\\*\\fldinst {HYPERLINK \"https://";
        m_out += hosts[m_random.below(countOf(hosts))];
        m_out += '/';
        m_out += englishWords[m_random.below(countOf(englishWords))];
        m_out += '/' + QByteArray::number(m_random.below(1000)) + "\" }}{\\fldrslt {\\cs21\\ul\\cf2 ";
        const int words = 1 + m_random.below(5);
        for (int i = 0; i < words; ++i) {
            if (i > 0)
                m_out += ' ';
            word(0);
        }
        m_out += "}}}";
    }

    // A footnote as Word writes it: the reference mark \\chftn in the body,
    // the note's group inside the mark's group, its own mark before its text.
    void footnote()
    {
        m_out += "{\\cs22\\super\\chftn {\\footnote \\ltrpar \\pard\\plain \\ltrpar\\s23\\ql \\li0\\ri0\\widctlpar"
                 "\\f0\\fs20 {\\cs22\\super\\chftn }{ ";
        const int runs = 1 + m_random.below(2);
        for (int i = 0; i < runs; ++i) {
            if (i > 0)
                m_out += ' ';
            run(m_random.chance(80) ? 0 : 1, 3);
        }
        m_out += "}}}";
    }

    void word(int script)
    {
        switch (script) {
        case 0:
            m_out += englishWords[m_random.below(countOf(englishWords))];
            break;
        case 1:
            m_out += frenchWords[m_random.below(countOf(frenchWords))];
            break;
        case 2:
            m_out += russianWords[m_random.below(countOf(russianWords))];
            break;
        case 3:
            m_out += greekWords[m_random.below(countOf(greekWords))];
            break;
        default: {
            const int *chars = script == 4 ? japaneseChars : script == 5 ? chineseChars : arabicChars;
            const int count = script == 4 ? countOf(japaneseChars) : script == 5 ? countOf(chineseChars)
                                                                                 : countOf(arabicChars);
            const int length = 1 + m_random.below(4);
            for (int i = 0; i < length; ++i)
                m_out += "\\u" + QByteArray::number(chars[m_random.below(count)]) + '?';
            break;
        }
        }
    }

    // The font that decodes a script's bytes.
    static int fontFor(int script)
    {
        switch (script) {
        case 2:
            return 4;
        case 3:
            return 5;
        case 4:
            return 8;
        case 5:
            return 9;
        case 6:
            return 14;
        default:
            return script == 1 ? 1 : 0;
        }
    }

    // A run of words, sometimes broken by formatting words or nested groups.
    void run(int script, int depth)
    {
        const int words = 3 + m_random.below(12);
        for (int i = 0; i < words; ++i) {
            if (i > 0)
                m_out += ' ';
            const int what = m_random.below(100);
            if (what < 6 && depth < 4) {
                // A nested group with its own formatting.
                m_out += '{';
                formatting(script);
                run(script, depth + 1);
                m_out += '}';
            } else if (what < 14) {
                static const char *const toggles[] = {"\\b ", "\\b0 ", "\\i ", "\\i0 ", "\\ul ", "\\ulnone ",
                                                      "\\strike ", "\\strike0 ", "\\super ", "\\nosupersub "};
                m_out += toggles[m_random.below(countOf(toggles))];
                word(script);
            } else if (what < 17) {
                static const char *const specials[] = {"\\tab ", "\\line ", "\\lquote ", "\\rquote ", "\\emdash ",
                                                       "\\endash ", "\\bullet ", "\\~", "\\-"};
                m_out += specials[m_random.below(countOf(specials))];
                word(script);
            } else {
                word(script);
            }
        }
    }

    void formatting(int script)
    {
        const int what = m_random.below(6);
        switch (what) {
        case 0:
            m_out += "\\b";
            break;
        case 1:
            m_out += "\\i";
            break;
        case 2:
            m_out += "\\cf" + QByteArray::number(1 + m_random.below(16));
            break;
        case 3:
            m_out += "\\highlight" + QByteArray::number(1 + m_random.below(16));
            break;
        case 4:
            m_out += "\\fs" + QByteArray::number(16 + 2 * m_random.below(12));
            break;
        default:
            m_out += "\\ul\\cf" + QByteArray::number(1 + m_random.below(16));
            break;
        }
        if (m_random.chance(30))
            m_out += "\\f" + QByteArray::number(fontFor(script));
        m_out += ' ';
    }

    void paragraph()
    {
        static const char *const alignments[] = {"\\ql", "\\qj", "\\qc", "\\qr"};
        m_out += "\\pard\\plain \\s" + QByteArray::number(m_random.below(9)) + alignments[m_random.below(4)]
            + "\\li" + QByteArray::number(360 * m_random.below(3)) + "\\ri0\\fi" + QByteArray::number(m_random.below(2) * 360)
            + "\\sb" + QByteArray::number(60 * m_random.below(3)) + "\\sa120\\widctlpar\\f0\\fs24 ";
        const int runs = 2 + m_random.below(8);
        for (int i = 0; i < runs; ++i) {
            // Mostly Latin text, with the other scripts mixed in.
            const int pick = m_random.below(100);
            const int script = pick < 50 ? 0 : pick < 65 ? 1 : pick < 75 ? 2 : pick < 82 ? 3 : pick < 89 ? 4 : pick < 95 ? 5 : 6;
            if (i > 0 && m_random.chance(12)) {
                m_out += ' ';
                link();
                m_out += ' ';
                continue;
            }
            m_out += '{';
            if (script >= 4 || script == 2 || script == 3)
                m_out += "\\f" + QByteArray::number(fontFor(script));
            if (m_random.chance(50))
                formatting(script);
            else
                m_out += ' ';
            run(script, 1);
            m_out += "}";
            if (i == runs - 1 && m_random.chance(12))
                footnote();
            if (m_random.chance(30))
                m_out += '\n';
        }
        m_out += "\\par\n";
    }

    static constexpr int numberedLists = 8;

    qint64 m_target;
    Random m_random;
    QByteArray m_out;
    // The last number of each numbered list (\\ls2 onwards): a list of the
    // same \\ls goes on counting where the one before it ended.
    int m_listNumbers[numberedLists] = {};
};

// Hostile inputs: each stresses one structure, with a size that scales.
QByteArray hostile(const QByteArray &kind, qint64 size)
{
    QByteArray out = "{\\rtf1\\ansi ";
    if (kind == "nested-groups") {
        // SIZE groups, each opened inside the one before.
        out.reserve(size * 2 + 64);
        out += QByteArray(size, '{');
        out += "x";
        out += QByteArray(size, '}');
    } else if (kind == "fonts") {
        // A font table of SIZE fonts, then selections of fonts up to the 32-bit limit.
        out += "{\\fonttbl";
        for (qint64 i = 0; i < size; ++i)
            out += "{\\f" + QByteArray::number(i) + "\\fswiss\\fcharset" + QByteArray::number(i % 2 ? 204 : 0)
                + " Font " + QByteArray::number(i) + ";}";
        out += "}";
        out += "\\f2147483647 a\\f" + QByteArray::number(size - 1) + " b\\f2147483648 c\\f-2147483648 d";
    } else if (kind == "colours") {
        out += "{\\colortbl;";
        for (qint64 i = 0; i < size; ++i)
            out += "\\red" + QByteArray::number(i % 256) + "\\green" + QByteArray::number((i / 256) % 256) + "\\blue0;";
        out += "}";
        out += "\\cf2147483647 a\\cf" + QByteArray::number(size) + " b\\highlight-1 c";
    } else if (kind == "picture") {
        // SIZE MiB of hex digits in one picture.
        out += "{\\pict\\pngblip\\picw100\\pich100 ";
        const QByteArray line = QByteArray("0123456789abcdef").repeated(8) + '\n';
        out += line.repeated(size * MiB / line.size());
        out += "}";
    } else if (kind == "control-word") {
        // One control word SIZE MiB long.
        out += '\\';
        out += QByteArray(size * MiB, 'a');
        out += " x";
    } else if (kind == "parameter") {
        // One parameter SIZE MiB long.
        out += "\\fs";
        out += QByteArray(size * MiB, '9');
        out += " x";
    } else {
        return QByteArray();
    }
    out += "}";
    return out;
}

// COUNT small PNG pictures as Word stores them, {\*\shppict{\pict\pngblip ...}},
// drawn from a pool of distinct ones, so that some pictures repeat:
//   paragraph   all in one paragraph, between words
//   paragraphs  one to eight per paragraph, with a sentence before each
//   mixed       the first half in one paragraph, the rest as in paragraphs
QByteArray pictures(qint64 count, const QByteArray &layout)
{
    if (count <= 0 || (layout != "paragraph" && layout != "paragraphs" && layout != "mixed"))
        return QByteArray();
    Random random(0x5049435455524553ULL);
    std::vector<QByteArray> pool;
    for (int i = 0; i < 64; ++i) {
        // Icons of a few pixels: a hundred or two bytes, like a bullet or a
        // symbol pasted many times.
        QImage image(2 + random.below(8), 2 + random.below(8), QImage::Format_RGB32);
        image.setDotsPerMeterX(0);
        image.setDotsPerMeterY(0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 31 + i * 7) & 255, (y * 17 + i * 3) & 255, 64 * random.below(4)));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        QByteArray group = "{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\piccropl0\\piccropr0\\piccropt0\\piccropb0"
                           "\\picw"
            + QByteArray::number(image.width() * 26) + "\\pich" + QByteArray::number(image.height() * 26)
            + "\\picwgoal" + QByteArray::number(image.width() * 15) + "\\pichgoal"
            + QByteArray::number(image.height() * 15) + "\\pngblip\n";
        const QByteArray hex = png.toHex();
        for (qsizetype j = 0; j < hex.size(); j += 128) {
            group += hex.mid(j, 128);
            group += '\n';
        }
        group += "}}";
        pool.push_back(group);
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\n"
                     "\\paperw12240\\paperh15840\\margl1440\\margr1440\\viewkind4\\uc1\n"
                     "\\pard\\plain \\ql\\f0\\fs24 ";
    const qint64 inOneParagraph = layout == "paragraph" ? count : layout == "mixed" ? count / 2 : 0;
    for (qint64 i = 0; i < inOneParagraph; ++i) {
        out += englishWords[random.below(countOf(englishWords))];
        out += ' ';
        out += pool[random.below(int(pool.size()))];
        if (i % 8 == 7)
            out += '\n';
    }
    if (inOneParagraph > 0)
        out += "\\par\n";
    for (qint64 i = inOneParagraph; i < count;) {
        out += "\\pard\\plain \\ql\\f0\\fs24 ";
        const int inThis = 1 + random.below(8);
        for (int j = 0; j < inThis && i < count; ++j, ++i) {
            const int words = 1 + random.below(6);
            for (int k = 0; k < words; ++k) {
                out += englishWords[random.below(countOf(englishWords))];
                out += ' ';
            }
            out += pool[random.below(int(pool.size()))];
            out += '\n';
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

bool writeFile(const QString &fileName, const QByteArray &data)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        std::fprintf(stderr, "rtfgenerator: cannot write %s\n", qPrintable(fileName));
        return false;
    }
    return true;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: rtfgenerator document SIZE_MB OUTPUT\n"
                 "       rtfgenerator hostile KIND SIZE OUTPUT\n"
                 "       rtfgenerator pictures COUNT OUTPUT [LAYOUT]\n"
                 "KIND: nested-groups (SIZE groups), fonts (SIZE entries), colours (SIZE entries),\n"
                 "      picture (SIZE MiB of hex), control-word (SIZE MiB), parameter (SIZE MiB)\n"
                 "LAYOUT: paragraph (all in one), paragraphs (a few in each), mixed (half and half; the default)\n");
    return 2;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "document") == 0) {
        const qint64 size = QByteArray(argv[2]).toLongLong();
        if (size <= 0)
            return usage();
        // One seed for every size: the documents differ only in length.
        DocumentWriter writer(size * MiB, 0x54415649534BULL);
        return writeFile(QString::fromLocal8Bit(argv[3]), writer.write()) ? 0 : 1;
    }
    if (argc == 5 && qstrcmp(argv[1], "hostile") == 0) {
        const QByteArray data = hostile(argv[2], QByteArray(argv[3]).toLongLong());
        if (data.isEmpty())
            return usage();
        return writeFile(QString::fromLocal8Bit(argv[4]), data) ? 0 : 1;
    }
    if ((argc == 4 || argc == 5) && qstrcmp(argv[1], "pictures") == 0) {
        const QByteArray data = pictures(QByteArray(argv[2]).toLongLong(), argc == 5 ? argv[4] : "mixed");
        if (data.isEmpty())
            return usage();
        return writeFile(QString::fromLocal8Bit(argv[3]), data) ? 0 : 1;
    }
    return usage();
}

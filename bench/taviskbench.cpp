// taviskbench: reading speed and peak memory of the Tavisk library.
//
//   taviskbench [--runs N] [--tavisk PATH] [--corpus DIR] FILE...
//
// For every FILE it prints one table with these rows:
//   (a) a plain QFile::getChar loop over the file: the floor of byte-wise reading
//   (b) the tokenizer alone
//   (c) Reader::parseTo into an output that does nothing
//   (d) Reader::parseTo into a TextDocumentRtfOutput
//   (e) the tavisk converter to txt and to html, as whole processes
//   (f) Reader::parseTo into a PlainTextRtfOutput that writes into a device
//       that keeps nothing: the text route without the process around it
// Each row runs N times, each time in a child process of its own, so that its
// peak memory (the child's maximum resident set) is its own. MB/s is input
// bytes per wall second, median of the runs; rows (a) to (d) time the reading
// only, row (e) the whole process. The ratio to (a) comes from the same run,
// so it holds on a busy machine.
//
// A file named pictures-COUNT.rtf (rtfgenerator pictures) is measured by
// rows (a), (c), (d) and the html converter: the cost of its many pictures.
//
// With --corpus, every .rtf file under DIR is measured too, one line each.
//
// Internal mode, used by the parent: taviskbench --row ROW FILE prints the
// seconds one run of ROW took.

#include "tokenizer/tokenizer.h"

#include <tavisk/abstractrtfoutput.h>
#include <tavisk/plaintextrtfoutput.h>
#include <tavisk/reader.h>
#include <tavisk/textdocumentrtfoutput.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <utility>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace
{
constexpr double MiB = 1024.0 * 1024.0;

// An output that does nothing: row (c) measures the reader alone.
class NullOutput : public Tavisk::AbstractRtfOutput
{
public:
    QString convertText(const QByteArray &) const override { return QString(); }
    void appendText(const QByteArray &) override { }
    void appendText(const QString &) override { }
    void insertPar() override { }
    void insertTab() override { }
    void insertLeftQuote() override { }
    void insertRightQuote() override { }
    void insertLeftDoubleQuote() override { }
    void insertRightDoubleQuote() override { }
    void insertEnDash() override { }
    void insertEmDash() override { }
    void insertEnSpace() override { }
    void insertEmSpace() override { }
    void insertBullet() override { }
    void resetParagraphFormat() override { }
    void setParagraphAlignmentLeft() override { }
    void setParagraphAlignmentCentred() override { }
    void setParagraphAlignmentJustified() override { }
    void setParagraphAlignmentRight() override { }
    void setFirstLineIndent(int) override { }
    void setLeftIndent(int) override { }
    void setRightIndent(int) override { }
    void setFontItalic(int) override { }
    void setFontBold(int) override { }
    void setFontUnderline(int) override { }
    void setFontPointSize(int) override { }
    void setFontSuperscript() override { }
    void setFontSubscript() override { }
    void setFontStrikeout(bool) override { }
    void setForegroundColour(int) override { }
    void setHighlightColour(int) override { }
    void setParagraphPatternBackgroundColour(int) override { }
    void setFont(int) override { }
    void setDefaultFont(int) override { }
    void setTextDirectionLeftToRight() override { }
    void setTextDirectionRightToLeft() override { }
    void resetCharacterProperties() override { }
    void createImage(const QByteArray &, const QTextImageFormat &) override { }
    void setPageHeight(int) override { }
    void setPageWidth(int) override { }
    void setSpaceBefore(int) override { }
    void setSpaceAfter(int) override { }
    void appendToColourTable(const QColor &) override { }
    void insertFontTableEntry(Tavisk::FontTableEntry, unsigned int) override { }
    void insertStyleSheetTableEntry(unsigned int, Tavisk::StyleSheetTableEntry) override { }
};

// A device that takes every byte and keeps none: row (f) measures the
// text, not a file system.
class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override { return size; }
};

// ---- child side: one run of one row ------------------------------------

struct Timing {
    double wall = -1;
    double cpu = -1;
};

double processCpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Runs the work of a row and returns its wall and CPU seconds; small files are
// read again until the time is long enough to measure, and the time is then
// given per reading.
template<typename Work>
Timing timeRow(Work work)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = processCpuSeconds();
    int rounds = 0;
    do {
        work();
        ++rounds;
    } while (timer.nsecsElapsed() < 20'000'000);
    Timing timing;
    timing.wall = double(timer.nsecsElapsed()) / 1e9 / rounds;
    timing.cpu = (processCpuSeconds() - cpuStart) / rounds;
    return timing;
}

int runRow(const QByteArray &row, const QString &fileName, int argc, char **argv)
{
    // A run that takes longer than this has hung.
    alarm(900);
    volatile qint64 sink = 0;
    Timing seconds;
    if (row == "a") {
        seconds = timeRow([&] {
            QFile file(fileName);
            if (!file.open(QIODevice::ReadOnly))
                std::exit(3);
            char c;
            qint64 count = 0;
            while (file.getChar(&c))
                count += c;
            sink = count;
        });
    } else if (row == "b") {
        seconds = timeRow([&] {
            QFile file(fileName);
            if (!file.open(QIODevice::ReadOnly))
                std::exit(3);
            Tavisk::Tokenizer tokenizer(&file);
            qint64 count = 0;
            for (;;) {
                const Tavisk::Token token = tokenizer.fetchToken();
                if (token.type == Tavisk::EndOfFile)
                    break;
                count += token.name.size();
            }
            sink = count;
        });
    } else if (row == "c") {
        seconds = timeRow([&] {
            Tavisk::Reader reader;
            NullOutput output;
            if (!reader.open(fileName))
                std::exit(3);
            (void)reader.parseTo(&output);
        });
    } else if (row == "f") {
        seconds = timeRow([&] {
            NullDevice device;
            Tavisk::PlainTextRtfOutput output(&device);
            Tavisk::Reader reader;
            if (!reader.open(fileName))
                std::exit(3);
            (void)reader.parseTo(&output);
        });
    } else if (row == "d" || row == "d-noundo") {
        QGuiApplication app(argc, argv);
        const bool undo = row == "d";
        seconds = timeRow([&] {
            QTextDocument document;
            document.setUndoRedoEnabled(undo);
            Tavisk::TextDocumentRtfOutput output(&document);
            Tavisk::Reader reader;
            if (!reader.open(fileName))
                std::exit(3);
            (void)reader.parseTo(&output);
            sink = document.characterCount();
        });
    } else {
        return 2;
    }
    std::printf("%.9f %.9f\n", seconds.wall, seconds.cpu);
    return 0;
}

// ---- parent side --------------------------------------------------------

struct RunResult {
    bool ok = false;
    double seconds = 0; // wall: as the child measured it, or the whole process for (e)
    double cpuSeconds = 0; // user and system time, measured the same way
    long peakKiB = 0; // the child's maximum resident set
};

// Starts a child with argv, its standard output read into @p output (or
// thrown away), waits for it and reports its resource use.
RunResult spawn(const std::vector<std::string> &args, QByteArray *output)
{
    RunResult result;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    pid_t pid;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return result;
    }
    char buffer[256];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        if (output)
            output->append(buffer, n);
    }
    close(pipeFds[0]);
    int status = 0;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid)
        return result;
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    result.peakKiB = usage.ru_maxrss;
    result.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

struct RowResult {
    bool measured = false; // the row was run for this input
    bool ok = false;
    double seconds = 0; // median
    double cpuSeconds = 0; // median
    double peakMiB = 0; // maximum over the runs
    std::vector<double> times; // wall seconds of each round, in order
    std::vector<double> cpuTimes;
};

// The median over the rounds of a ratio of two rows' times: each round's
// pair was measured close together, so load from other processes on the
// machine cancels out of the ratio.
double medianRatio(const std::vector<double> &numerators, const std::vector<double> &denominators)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < std::min(numerators.size(), denominators.size()); ++i)
        ratios.push_back(numerators[i] / denominators[i]);
    if (ratios.empty())
        return 0;
    std::sort(ratios.begin(), ratios.end());
    const size_t n = ratios.size();
    return n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The runs of one row, gathered as they come.
struct Samples {
    Samples(std::vector<std::string> arguments, bool childTimes)
        : args(std::move(arguments))
        , timedByChild(childTimes)
    {
    }

    std::vector<std::string> args;
    bool timedByChild = true;
    bool failed = false;
    std::vector<double> times;
    std::vector<double> cpuTimes;
    long peakKiB = 0;

    void run()
    {
        if (failed)
            return;
        QByteArray output;
        const RunResult result = spawn(args, timedByChild ? &output : nullptr);
        if (!result.ok) {
            failed = true;
            return;
        }
        if (timedByChild) {
            const QList<QByteArray> fields = output.trimmed().split(' ');
            times.push_back(fields.value(0).toDouble());
            cpuTimes.push_back(fields.value(1).toDouble());
        } else {
            times.push_back(result.seconds);
            cpuTimes.push_back(result.cpuSeconds);
        }
        peakKiB = std::max(peakKiB, result.peakKiB);
    }

    RowResult result() const
    {
        RowResult row;
        row.measured = true;
        if (failed || times.empty())
            return row;
        row.ok = true;
        row.seconds = median(times);
        row.cpuSeconds = median(cpuTimes);
        row.peakMiB = peakKiB / 1024.0;
        row.times = times;
        row.cpuTimes = cpuTimes;
        return row;
    }
};

struct Options {
    int runs = 5;
    std::string self;
    std::string tavisk;
    QString corpus;
    QStringList files;
};

struct FileResult {
    QString name;
    qint64 bytes = 0;
    RowResult rows[8];
};

constexpr int rowCount = 8;
constexpr int converterRow = 5;
constexpr int plainTextRow = 7;
const char *const rowNames[rowCount] = {
    "(a) QFile::getChar loop",     "(b) tokenizer",
    "(c) parseTo, null output",    "(d) parseTo, TextDocumentRtfOutput",
    "(d) the same, undo disabled", "(e) tavisk convert --to txt",
    "(e) tavisk convert --to html", "(f) parseTo, PlainTextRtfOutput",
};

// The rows of one input, measured in rounds by measureAll().
struct Job {
    FileResult result;
    int runs = 0;
    std::vector<std::pair<int, Samples>> rows;
};

// What is measured of one input.
enum class RowSet { All, Reading, Pictures };

Job makeJob(const Options &options, const QString &fileName, int runs, RowSet rowSet)
{
    Job job;
    job.result.name = QFileInfo(fileName).fileName();
    job.result.bytes = QFileInfo(fileName).size();
    // Large inputs take long enough per run that three runs give a stable median.
    job.runs = job.result.bytes > 32 * MiB ? std::min(runs, 3) : runs;
    const std::string file = QFile::encodeName(fileName).toStdString();
    const char *const childRows[5] = {"a", "b", "c", "d", "d-noundo"};
    for (int i = 0; i < (rowSet == RowSet::All ? 5 : 4); ++i) {
        if (rowSet == RowSet::Pictures && i == 1)
            continue;
        job.rows.push_back({i, Samples({options.self, "--row", childRows[i], file}, true)});
    }
    if (rowSet == RowSet::All)
        job.rows.push_back({plainTextRow, Samples({options.self, "--row", "f", file}, true)});
    if (rowSet != RowSet::Reading && !options.tavisk.empty()) {
        if (rowSet == RowSet::All)
            job.rows.push_back(
                {converterRow, Samples({options.tavisk, "convert", file, "-o", "-", "--to", "txt"}, false)});
        job.rows.push_back(
            {converterRow + 1, Samples({options.tavisk, "convert", file, "-o", "-", "--to", "html"}, false)});
    }
    return job;
}

// Round by round, every row of every input once per round: a burst of load
// from other processes then slows the rows and inputs that are compared with
// each other alike, and the ratios between them hold.
void measureAll(std::vector<Job> &jobs)
{
    int rounds = 0;
    for (const Job &job : jobs)
        rounds = std::max(rounds, job.runs);
    for (int round = 0; round < rounds; ++round) {
        for (Job &job : jobs) {
            if (round >= job.runs)
                continue;
            for (auto &row : job.rows)
                row.second.run();
        }
    }
    for (Job &job : jobs) {
        for (const auto &row : job.rows)
            job.result.rows[row.first] = row.second.result();
    }
}

FileResult measureFile(const Options &options, const QString &fileName, int runs, RowSet rowSet)
{
    std::vector<Job> jobs{makeJob(options, fileName, runs, rowSet)};
    measureAll(jobs);
    return jobs.front().result;
}

double mbPerSecond(const FileResult &file, int row)
{
    return file.bytes / MiB / file.rows[row].seconds;
}

void printTable(const FileResult &file, int runs)
{
    if (file.bytes > 32 * MiB)
        runs = std::min(runs, 3);
    std::printf("\n%s: %.2f MiB, median of %d runs\n", qPrintable(file.name), file.bytes / MiB, runs);
    std::printf("  %-36s %9s %9s %9s %8s %10s %8s\n", "row", "MB/s", "seconds", "cpu s", "vs (a)", "peak MiB",
                "peak/in");
    for (int i = 0; i < rowCount; ++i) {
        const RowResult &row = file.rows[i];
        if (!row.ok) {
            if (i < 4 && row.measured)
                std::printf("  %-36s %9s\n", rowNames[i], "failed");
            continue;
        }
        char ratio[16] = "";
        // The converter to txt against (a) too: its target is a share of
        // the floor, its time that of the whole process.
        if (i != 0 && i != converterRow + 1 && file.rows[0].ok)
            std::snprintf(ratio, sizeof ratio, "%.2f", medianRatio(file.rows[0].times, file.rows[i].times));
        std::printf("  %-36s %9.2f %9.3f %9.3f %8s %10.1f %8.2f\n", rowNames[i], mbPerSecond(file, i), row.seconds,
                    row.cpuSeconds, ratio,
                    row.peakMiB, row.peakMiB * MiB / file.bytes);
    }
    std::fflush(stdout);
}

void printCorpus(const Options &options)
{
    QStringList files;
    QDirIterator it(options.corpus, {QStringLiteral("*.rtf")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    if (files.isEmpty())
        return;
    std::printf("\nCorpus %s: %lld files (MB/s, median of 3 runs; each run reads the file until 20 ms have passed)\n",
                qPrintable(options.corpus), static_cast<long long>(files.size()));
    std::printf("  %-48s %8s %8s %8s %8s %8s %7s %9s\n", "file", "KiB", "(a)", "(b)", "(c)", "(d)", "(d)/(a)",
                "(d) MiB");
    std::vector<double> ratios;
    for (const QString &fileName : std::as_const(files)) {
        const FileResult file = measureFile(options, fileName, 3, RowSet::Reading);
        QString name = QDir(options.corpus).relativeFilePath(fileName);
        if (name.size() > 48)
            name = name.left(45) + QStringLiteral("...");
        std::printf("  %-48s %8.1f", qPrintable(name), file.bytes / 1024.0);
        for (int i = 0; i < 4; ++i) {
            if (file.rows[i].ok)
                std::printf(" %8.2f", mbPerSecond(file, i));
            else
                std::printf(" %8s", "failed");
        }
        if (file.rows[0].ok && file.rows[3].ok) {
            ratios.push_back(mbPerSecond(file, 3) / mbPerSecond(file, 0));
            std::printf(" %7.2f %9.1f\n", ratios.back(), file.rows[3].peakMiB);
        } else {
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    if (!ratios.empty())
        std::printf("  median (d)/(a) over the corpus: %.2f\n", median(ratios));
}

// The targets, checked when the 16 and 64 MiB documents were measured.
void printTargets(const std::vector<FileResult> &results)
{
    const FileResult *m16 = nullptr;
    const FileResult *m64 = nullptr;
    for (const FileResult &file : results) {
        if (file.name == QLatin1String("document-16.rtf"))
            m16 = &file;
        if (file.name == QLatin1String("document-64.rtf"))
            m64 = &file;
    }
    if (!m16)
        return;
    std::printf("\nTargets\n");
    auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    if (m16->rows[0].ok && m16->rows[2].ok) {
        const double ratio = medianRatio(m16->rows[0].times, m16->rows[2].times);
        std::printf("  (c) / (a) on 16 MiB:             %6.2f  (>= 0.5)   %s\n", ratio, verdict(ratio >= 0.5));
    }
    if (m16->rows[0].ok && m16->rows[converterRow].ok) {
        const double ratio = medianRatio(m16->rows[0].times, m16->rows[converterRow].times);
        std::printf("  --to txt / (a) on 16 MiB:        %6.2f  (>= 0.4)   %s\n", ratio, verdict(ratio >= 0.4));
    }
    if (m16->rows[3].ok) {
        const double speed = mbPerSecond(*m16, 3);
        std::printf("  (d) MB/s on 16 MiB:              %6.2f  (>= 20)    %s\n", speed, verdict(speed >= 20));
    }
    for (const FileResult *file : {m16, m64}) {
        if (file && file->rows[3].ok) {
            const double ratio = file->rows[3].peakMiB * MiB / file->bytes;
            std::printf("  (d) peak memory / input, %2.0f MiB: %6.2f  (<= 8)     %s\n", file->bytes / MiB, ratio,
                        verdict(ratio <= 8));
        }
    }
    if (!m64)
        return;
    std::printf("  64 MiB against 16 MiB (<= 4.3; the input is %.2f times larger), median over the rounds\n"
                "  of each round's ratio, by wall and by CPU seconds:\n",
                double(m64->bytes) / m16->bytes);
    for (int i = 0; i < rowCount; ++i) {
        if (!m16->rows[i].ok || !m64->rows[i].ok)
            continue;
        const double wall = medianRatio(m64->rows[i].times, m16->rows[i].times);
        const double cpu = medianRatio(m64->rows[i].cpuTimes, m16->rows[i].cpuTimes);
        const double memory = m64->rows[i].peakMiB / m16->rows[i].peakMiB;
        std::printf("    %-36s time %5.2f %-6s (cpu %5.2f)  memory %5.2f %s\n", rowNames[i], wall,
                    verdict(wall <= 4.3), cpu, memory, verdict(memory <= 4.3));
    }
}

// Documents of many pictures: the whole html conversion, against its target
// of 10 seconds for 100 000 pictures.
void printPictures(const std::vector<FileResult> &results)
{
    bool header = false;
    for (const FileResult &file : results) {
        if (!file.name.startsWith(QLatin1String("pictures-")))
            continue;
        const RowResult &html = file.rows[converterRow + 1];
        if (!html.ok)
            continue;
        if (!header) {
            std::printf("\nPictures: tavisk convert --to html, whole process\n");
            header = true;
        }
        const int count = file.name.section(QLatin1Char('-'), 1).section(QLatin1Char('.'), 0, 0).toInt();
        std::printf("  %7d pictures: %7.2f s (cpu %.2f s), peak %.1f MiB", count, html.seconds, html.cpuSeconds,
                    html.peakMiB);
        if (count == 100000)
            std::printf("  (< 10 s)  %s", html.seconds < 10 ? "met" : "MISSED");
        std::printf("\n");
    }
}

// Hostile inputs come in pairs of sizes (hostile-KIND-SIZE.rtf): the larger
// must cost time and memory in proportion to its size.
void printScaling(const std::vector<FileResult> &results)
{
    bool header = false;
    for (size_t i = 0; i < results.size(); ++i) {
        const FileResult &small = results[i];
        if (!small.name.startsWith(QLatin1String("hostile-")))
            continue;
        const QString kind = small.name.section(QLatin1Char('-'), 0, -2);
        for (size_t j = i + 1; j < results.size(); ++j) {
            const FileResult &large = results[j];
            if (large.name.section(QLatin1Char('-'), 0, -2) != kind)
                continue;
            if (!header) {
                std::printf("\nHostile inputs: the larger file against the smaller (time, peak memory)\n");
                header = true;
            }
            std::printf("  %-26s input %5.2fx", qPrintable(kind.mid(8)), double(large.bytes) / small.bytes);
            for (int row : {2, 3}) {
                if (small.rows[row].ok && large.rows[row].ok)
                    std::printf("   (%c) time %5.2fx memory %5.2fx", 'a' + row,
                                medianRatio(large.rows[row].times, small.rows[row].times),
                                large.rows[row].peakMiB / small.rows[row].peakMiB);
            }
            std::printf("\n");
            break;
        }
    }
}

std::optional<Options> parseArguments(int argc, char **argv)
{
    Options options;
    // Children are started by path; find our own.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return std::nullopt;
    options.self.assign(self, length);
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            options.runs = std::max(1, atoi(argv[++i]));
        else if (arg == "--tavisk" && i + 1 < argc)
            options.tavisk = argv[++i];
        else if (arg == "--corpus" && i + 1 < argc)
            options.corpus = QString::fromLocal8Bit(argv[++i]);
        else if (arg.startsWith("--"))
            return std::nullopt;
        else
            options.files.append(QString::fromLocal8Bit(arg));
    }
    return options;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--row") == 0)
        return runRow(argv[2], QString::fromLocal8Bit(argv[3]), argc, argv);

    const std::optional<Options> options = parseArguments(argc, argv);
    if (!options || (options->files.isEmpty() && options->corpus.isEmpty())) {
        std::fprintf(stderr, "usage: taviskbench [--runs N] [--tavisk PATH] [--corpus DIR] FILE...\n");
        return 2;
    }
    // Row (d) and the converter need no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!getenv("XDG_RUNTIME_DIR")) {
        static QByteArray runtimeDir = QDir::tempPath().toLocal8Bit() + "/taviskbench-runtime";
        QDir().mkpath(QString::fromLocal8Bit(runtimeDir));
        QFile::setPermissions(QString::fromLocal8Bit(runtimeDir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtimeDir.constData(), 1);
    }

    std::printf("MB/s = MiB of input per wall second; peak = maximum resident set of the process.\n");
    if (options->tavisk.empty())
        std::printf("Row (e) skipped: no tavisk converter given.\n");
    std::vector<Job> jobs;
    for (const QString &fileName : options->files) {
        if (!QFileInfo::exists(fileName)) {
            std::fprintf(stderr, "taviskbench: %s not found\n", qPrintable(fileName));
            continue;
        }
        const QString name = QFileInfo(fileName).fileName();
        const RowSet rowSet = name.startsWith(QLatin1String("hostile-")) ? RowSet::Reading
            : name.startsWith(QLatin1String("pictures-"))                ? RowSet::Pictures
                                                                         : RowSet::All;
        jobs.push_back(makeJob(*options, fileName, options->runs, rowSet));
    }
    measureAll(jobs);
    std::vector<FileResult> results;
    for (const Job &job : jobs) {
        results.push_back(job.result);
        printTable(results.back(), options->runs);
    }
    printTargets(results);
    printPictures(results);
    printScaling(results);
    if (!options->corpus.isEmpty() && QFileInfo(options->corpus).isDir())
        printCorpus(*options);
    return 0;
}

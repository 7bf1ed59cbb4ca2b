#include "app/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "support/files.h"

namespace {

// Everything the options file holds, in its line order, plus the service line.
struct Options {
    QString startUpList, listsPath, soundFile;
    qint32 left = 0, top = 0, height = 0, width = 0;
    qint32 helpLeft = 0, helpTop = 0, helpHeight = 0, helpWidth = 0, timerInterval = 0;
    bool bold = false, gridLines = false, horz = false, vert = false;
    bool autoTimer = false, ringAlarm = false, startTips = false;
    QString service;
};

Options capture(const TGlobals &g, const WindowGeometry &geo)
{
    return Options{g.StartUpList, g.StockListsPath, g.AlertSoundFile,
                   geo.left, geo.top, geo.height, geo.width,
                   g.HelpLeft, g.HelpTop, g.HelpHeight, g.HelpWidth, g.TimerInterval,
                   g.BoldText, g.GridLines, g.HorzGridLines, g.VertGridLines,
                   g.AutoTimer, g.RingAlarm, g.ShowStartTips, g.QuoteService};
}

void apply(const Options &o, TGlobals &g, WindowGeometry &geo)
{
    g.StartUpList = o.startUpList;
    g.StockListsPath = o.listsPath;
    g.AlertSoundFile = o.soundFile;
    geo = WindowGeometry{o.left, o.top, o.height, o.width};
    g.HelpLeft = o.helpLeft;
    g.HelpTop = o.helpTop;
    g.HelpHeight = o.helpHeight;
    g.HelpWidth = o.helpWidth;
    g.TimerInterval = o.timerInterval;
    g.BoldText = o.bold;
    g.GridLines = o.gridLines;
    g.HorzGridLines = o.horz;
    g.VertGridLines = o.vert;
    g.AutoTimer = o.autoTimer;
    g.RingAlarm = o.ringAlarm;
    g.ShowStartTips = o.startTips;
    g.QuoteService = o.service;
}

// One readable line per value, so a failed comparison names the value.
QStringList describe(const Options &o)
{
    auto flag = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    return {
        QStringLiteral("StartUpList=[%1]").arg(o.startUpList),
        QStringLiteral("StockListsPath=[%1]").arg(o.listsPath),
        QStringLiteral("AlertSoundFile=[%1]").arg(o.soundFile),
        QStringLiteral("geometry=%1,%2,%3,%4").arg(o.left).arg(o.top).arg(o.height).arg(o.width),
        QStringLiteral("help=%1,%2,%3,%4").arg(o.helpLeft).arg(o.helpTop).arg(o.helpHeight).arg(o.helpWidth),
        QStringLiteral("TimerInterval=%1").arg(o.timerInterval),
        QStringLiteral("BoldText=") + flag(o.bold),
        QStringLiteral("GridLines=") + flag(o.gridLines),
        QStringLiteral("HorzGridLines=") + flag(o.horz),
        QStringLiteral("VertGridLines=") + flag(o.vert),
        QStringLiteral("AutoTimer=") + flag(o.autoTimer),
        QStringLiteral("RingAlarm=") + flag(o.ringAlarm),
        QStringLiteral("ShowStartTips=") + flag(o.startTips),
        QStringLiteral("QuoteService=[%1]").arg(o.service),
    };
}

// What memory holds before a read: every value different from what the files below say.
Options before()
{
    Options o;
    o.startUpList = QStringLiteral("Previous.Stk");
    o.listsPath = QStringLiteral("/previous/lists");
    o.soundFile = QStringLiteral("/previous/ding.wav");
    o.left = 7;
    o.top = 8;
    o.height = 870;
    o.width = 1024;
    o.helpLeft = 1500;
    o.helpTop = 100;
    o.helpHeight = 1400;
    o.helpWidth = 1000;
    o.timerInterval = 60;
    o.bold = o.gridLines = o.horz = o.vert = o.startTips = true;
    o.autoTimer = o.ringAlarm = true;
    o.service = QStringLiteral("http://previous.example");
    return o;
}

// The values of kFile.
Options fromFile()
{
    Options o;
    o.startUpList = QStringLiteral("Stocks1.Stk");
    o.listsPath = QStringLiteral("/home/ann/Lists");
    o.soundFile = QStringLiteral("/home/ann/ring.wav");
    o.left = 40;
    o.top = 30;
    o.height = 700;
    o.width = 900;
    o.helpLeft = 200;
    o.helpTop = 150;
    o.helpHeight = 500;
    o.helpWidth = 600;
    o.timerInterval = 300;
    o.bold = true;
    o.gridLines = false;
    o.horz = true;
    o.vert = false;
    o.autoTimer = true;
    o.ringAlarm = true;
    o.startTips = false;
    return o;
}

const QStringList kFileLines{
    "Stocks1.Stk", "/home/ann/Lists", "/home/ann/ring.wav",
    "40", "30", "700", "900", "200", "150", "500", "600", "300",
    "TRUE", "FALSE", "TRUE", "FALSE", "TRUE", "TRUE", "FALSE"};

QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toUtf8() + "\r\n";
    return out;
}

QStringList replaced(QStringList lines, int lineNumber, const QString &text)
{
    lines[lineNumber - 1] = text;
    return lines;
}

QStringList inserted(QStringList lines, int beforeLine, const QString &text)
{
    lines.insert(beforeLine - 1, text);
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Options)
Q_DECLARE_METATYPE(WindowGeometry)

class TestOptionsFile : public QObject {
    Q_OBJECT
private slots:
    void firstStartFile_data();
    void firstStartFile();
    void read_data();
    void read();
    void readMissingFile();
    void roundTrip_data();
    void roundTrip();
    void failedWriteKeepsOldFile();
};

void TestOptionsFile::firstStartFile_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::addColumn<WindowGeometry>("geometry");

    QTest::newRow("designed size") << QStringLiteral("Vantori") << WindowGeometry{120, 80, 870, 1024};
    QTest::newRow("folder with blanks, no geometry yet") << QStringLiteral("My Portfolio") << WindowGeometry{};
}

void TestOptionsFile::firstStartFile()
{
    QFETCH(QString, folderName);
    QFETCH(WindowGeometry, geometry);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(folderName));
    const QString programFolder = dir.filePath(folderName);
    const QString path = programFolder + QStringLiteral("/Options.Ini");

    TGlobals g;
    Settings::SetDefaultColors(g);
    Settings::SetDefaultOptions(g, programFolder);
    WindowGeometry read = geometry;
    QCOMPARE(Settings::ReadOptionsFile(path, g, read), QString());
    QVERIFY(Settings::WriteOptionsFile(path, g, geometry));

    const QByteArray expected = QByteArray("\r\n") + programFolder.toUtf8() + "\r\n\r\n"
        + QByteArray::number(geometry.left) + "\r\n" + QByteArray::number(geometry.top) + "\r\n"
        + QByteArray::number(geometry.height) + "\r\n" + QByteArray::number(geometry.width) + "\r\n"
        "1500\r\n100\r\n1400\r\n1000\r\n60\r\n"
        "FALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\nFALSE\r\n";
    const QByteArray bytes = readBytes(path);
    QCOMPARE(bytes, expected);
    QCOMPARE(bytes.count("\r\n"), 19);
    QCOMPARE(bytes.count('\n'), 19);

    // The next start reads back what the first one wrote.
    TGlobals next;
    WindowGeometry nextGeometry{1, 1, 1, 1};
    QCOMPARE(Settings::ReadOptionsFile(path, next, nextGeometry), path);
    QCOMPARE(describe(capture(next, nextGeometry)), describe(capture(g, geometry)));
}

void TestOptionsFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Options>("prior");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<Options>("expected");

    const Options prior = before();
    Options e;

    QTest::newRow("whole file") << crlf(kFileLines) << prior << true << fromFile();

    QByteArray lf = crlf(kFileLines);
    lf.replace("\r\n", "\n");
    QTest::newRow("lf line ends") << lf << prior << true << fromFile();

    e = Options{};
    e.startUpList = QStringLiteral("Stocks1.Stk");
    e.listsPath = QStringLiteral("/home/ann/Lists");
    e.soundFile = QStringLiteral("/home/ann/ring.wav");
    e.autoTimer = e.ringAlarm = true; // never cleared before the flags are read
    QTest::newRow("three lines") << crlf(kFileLines.mid(0, 3)) << prior << true << e;

    e = Options{};
    e.autoTimer = e.ringAlarm = true;
    QTest::newRow("empty file") << QByteArray() << prior << true << e;

    QTest::newRow("empty line before line 4") << crlf(inserted(kFileLines, 4, QString())) << prior << true
                                             << fromFile();

    // Each flag reads the line written for the one before it; ShowStartTips's line
    // lands on line 20, which is no service address and so means the default.
    e = fromFile();
    e.bold = false;
    e.gridLines = true;
    e.horz = false;
    e.vert = true;
    e.autoTimer = true; // reads "FALSE", which does not clear it
    e.ringAlarm = true;
    e.startTips = true;
    QTest::newRow("empty line before line 13") << crlf(inserted(kFileLines, 13, QString())) << prior << true << e;

    e = fromFile();
    e.left = 12;
    QTest::newRow("two numbers on line 4") << crlf(replaced(kFileLines, 4, QStringLiteral("12 34"))) << prior
                                           << true << e;

    e = fromFile();
    e.left = -4;
    e.top = 640;
    QTest::newRow("negative, blanks before a number")
        << crlf(replaced(replaced(kFileLines, 4, QStringLiteral("-4")), 5, QStringLiteral(" \t 640 ")))
        << prior << true << e;

    e = prior;
    e.startUpList = QStringLiteral("Stocks1.Stk");
    e.listsPath = QStringLiteral("/home/ann/Lists");
    e.soundFile = QStringLiteral("/home/ann/ring.wav");
    e.left = 40;
    e.top = 30;
    QTest::newRow("letters for the height") << crlf(replaced(kFileLines, 6, QStringLiteral("abc"))) << prior
                                            << false << e;

    e = prior;
    e.startUpList = QStringLiteral("Stocks1.Stk");
    e.listsPath = QStringLiteral("/home/ann/Lists");
    e.soundFile = QStringLiteral("/home/ann/ring.wav");
    e.left = 40;
    e.top = 30;
    e.height = 700;
    e.width = 900;
    e.helpLeft = 200;
    e.helpTop = 150;
    e.helpHeight = 500;
    e.helpWidth = 600;
    QTest::newRow("digits then letters for the interval")
        << crlf(replaced(kFileLines, 12, QStringLiteral("30s"))) << prior << false << e;

    QStringList flags = kFileLines.mid(0, 12);
    flags << "true" << "True" << "yes" << "1" << "FALSE" << "no" << "tRuE";
    e = fromFile();
    e.bold = e.gridLines = true;
    e.horz = e.vert = false;
    e.autoTimer = e.ringAlarm = true;
    e.startTips = true;
    QTest::newRow("flags in any case") << crlf(flags) << prior << true << e;

    Options cleared = prior;
    cleared.autoTimer = cleared.ringAlarm = false;
    flags = kFileLines.mid(0, 12);
    flags << "" << " TRUE" << "TRUE " << "T" << "TRUE" << "yes" << "1";
    e = fromFile();
    e.bold = e.gridLines = e.horz = e.vert = false;
    e.autoTimer = true;
    e.ringAlarm = e.startTips = false;
    QTest::newRow("flags not set by near misses") << crlf(flags) << cleared << true << e;

    QStringList blanks = kFileLines;
    blanks[0] = QStringLiteral("  Stocks1.Stk");
    blanks[1] = QStringLiteral("  /home/ann/My Lists ");
    blanks[2] = QString();
    e = fromFile();
    e.startUpList = blanks[0];
    e.listsPath = blanks[1];
    e.soundFile = QString();
    QTest::newRow("blanks around texts kept") << crlf(blanks) << prior << true << e;

    e = fromFile();
    e.service = QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("service on line 20")
        << crlf(QStringList(kFileLines) << QStringLiteral(" http://127.0.0.1:8080 ")) << prior << true << e;

    QTest::newRow("line 20 not an address")
        << crlf(QStringList(kFileLines) << QStringLiteral("TRUE")) << prior << true << fromFile();

    QTest::newRow("windows-1252 texts")
        << QByteArray("Actions fran\xE7" "aises.Stk\r\n/home/ann/Fran\xE7ois\r\n\r\n")
        << prior << true
        << [] {
               Options o;
               o.startUpList = QStringLiteral("Actions françaises.Stk");
               o.listsPath = QStringLiteral("/home/ann/François");
               o.autoTimer = o.ringAlarm = true;
               return o;
           }();
}

void TestOptionsFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Options, prior);
    QFETCH(bool, whole);
    QFETCH(Options, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Options.Ini"));
    QVERIFY(writeBytes(path, bytes));

    TGlobals g;
    WindowGeometry geometry;
    apply(prior, g, geometry);
    const QString loaded = Settings::ReadOptionsFile(path, g, geometry);
    QCOMPARE(loaded, whole ? path : QString());
    QCOMPARE(describe(capture(g, geometry)), describe(expected));
    QCOMPARE(readBytes(path), bytes); // reading never changes the file
}

void TestOptionsFile::readMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TGlobals g;
    WindowGeometry geometry;
    apply(before(), g, geometry);

    QCOMPARE(Settings::ReadOptionsFile(dir.filePath(QStringLiteral("Options.Ini")), g, geometry), QString());

    Options e = before();
    e.startUpList.clear(); // cleared even without a file
    QCOMPARE(describe(capture(g, geometry)), describe(e));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Options.Ini"))));
}

void TestOptionsFile::roundTrip_data()
{
    QTest::addColumn<Options>("options");
    QTest::addColumn<QStringList>("lines");

    Options o = fromFile();
    o.left = -4;
    o.top = -1200;
    QTest::newRow("negative geometry") << o << replaced(replaced(kFileLines, 4, "-4"), 5, "-1200");

    o = fromFile();
    o.startUpList = QStringLiteral("  Two blanks.Stk");
    o.listsPath = QStringLiteral("  /home/ann/Listes d’actions  ");
    o.soundFile = QStringLiteral("/home/ann/Sons/Clo\u00E7he.wav");
    QStringList lines = kFileLines;
    lines[0] = o.startUpList;
    lines[1] = o.listsPath;
    lines[2] = o.soundFile;
    QTest::newRow("texts exactly as held") << o << lines;

    o = fromFile();
    o.bold = o.gridLines = o.horz = o.vert = o.autoTimer = o.ringAlarm = o.startTips = true;
    lines = kFileLines;
    for (int i = 12; i < 19; ++i)
        lines[i] = QStringLiteral("TRUE");
    QTest::newRow("every flag set") << o << lines;

    o = fromFile();
    o.service = QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("quote service on line 20") << o << (QStringList(kFileLines) << "http://127.0.0.1:8080");
}

void TestOptionsFile::roundTrip()
{
    QFETCH(Options, options);
    QFETCH(QStringList, lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Options.Ini"));

    TGlobals g;
    WindowGeometry geometry;
    apply(options, g, geometry);
    QString error;
    QVERIFY2(Settings::WriteOptionsFile(path, g, geometry, &error), qPrintable(error));
    QCOMPARE(readBytes(path), crlf(lines));

    TGlobals back;
    WindowGeometry backGeometry;
    apply(before(), back, backGeometry);
    QCOMPARE(Settings::ReadOptionsFile(path, back, backGeometry), path);
    QCOMPARE(describe(capture(back, backGeometry)), describe(options));
}

void TestOptionsFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Options.Ini"));
    const QByteArray old = crlf(kFileLines);
    QVERIFY(writeBytes(path, old));

    TGlobals g;
    WindowGeometry geometry;
    apply(before(), g, geometry);

    QString error;
    bool written = true;
    {
        FileSizeLimit full(20);
        QVERIFY(full.ok());
        written = Settings::WriteOptionsFile(path, g, geometry, &error);
    }
    QVERIFY(!written);
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Options.Ini"});

    // A folder that is not there cannot take the file either.
    const QString nowhere = dir.filePath(QStringLiteral("gone/Options.Ini"));
    QVERIFY(!Settings::WriteOptionsFile(nowhere, g, geometry));
    QVERIFY(!QFile::exists(nowhere));
}

QTEST_GUILESS_MAIN(TestOptionsFile)
#include "tst_optionsfile.moc"

// Start-up and shutdown of the main window: what it does with the options file, which
// list it shows, where the window stands, and what closing leaves on disk.
#include "support/windowfixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstStartWritesDefaultOptions();
    void firstStartShowsLastListWithoutSelection();
    void startUpList_data();
    void startUpList();
    void garbledOptionsFileIsRewritten_data();
    void garbledOptionsFileIsRewritten();
    void shortOptionsFileStillStarts();
    void badStartUpListShowsTheRowsBeforeTheBadLine();
    void unreachableListsFolderFallsBack_data();
    void unreachableListsFolderFallsBack();
    void storedGeometryIsApplied_data();
    void storedGeometryIsApplied();
    void geometryIsStoredAtClose();
    void closingWritesOnlyTheOptionsFile_data();
    void closingWritesOnlyTheOptionsFile();
};

namespace {

QStringList withGeometry(QStringList lines, const QList<int> &geometry)
{
    for (int i = 0; i < 4; ++i)
        lines[3 + i] = QString::number(geometry[i]);
    return lines;
}

// The designed window, shrunk to a screen smaller than it.
QRect designedRect()
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    return QRect(70, 70, std::min(1024, avail.width()), std::min(870, avail.height()));
}

} // namespace

void TestStartup::firstStartWritesDefaultOptions()
{
    WindowFixture f;
    TVantori1 &w = f.start();

    QVERIFY(w.StartUpDone);
    QCOMPARE(WindowFixture::read(f.optionsPath()), WindowFixture::crlf(WindowFixture::options(QString(), f.programFolder())));
    QVERIFY(!QFileInfo::exists(f.programFolder() + QStringLiteral("/Colors.Ini")));
    // Nothing to show: the designed grid of three empty rows under the plain caption.
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantori"));
    QCOMPARE(f.symbols(), QStringList({QString(), QString(), QString()}));
    QCOMPARE(w.nodeCount(), 0);
    QCOMPARE(QRect(w.pos(), w.size()), designedRect());

    w.close();
    const QRect r = designedRect();
    QCOMPARE(WindowFixture::read(f.optionsPath()),
             WindowFixture::crlf(WindowFixture::options(QString(), f.programFolder(),
                                                        {r.x(), r.y(), r.height(), r.width()})));
    QVERIFY(!QFileInfo::exists(f.programFolder() + QStringLiteral("/Colors.Ini")));
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestStartup::firstStartShowsLastListWithoutSelection()
{
    WindowFixture f;
    WindowFixture::write(f.programFolder() + QStringLiteral("/Stocks1.Stk"), WindowFixture::holdings({"AAA", "BBB"}));
    WindowFixture::write(f.programFolder() + QStringLiteral("/Zeta.Stk"), WindowFixture::holdings({"ZZZ"}));
    TVantori1 &w = f.start();

    QCOMPARE(f.symbols(), QStringList({"ZZZ"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantori - ") + f.programFolder() + QStringLiteral("/Zeta.Stk"));
    QCOMPARE(w.CurrentListName, QString());
    QCOMPARE(f.nodeTexts().size(), 5);
    QCOMPARE(f.selectedNode(), -1);
    QCOMPARE(WindowFixture::read(f.optionsPath()), WindowFixture::crlf(WindowFixture::options(QString(), f.programFolder())));
}

void TestStartup::startUpList_data()
{
    QTest::addColumn<QString>("startUpList");
    QTest::addColumn<QStringList>("listFiles");
    QTest::addColumn<QStringList>("shownSymbols");
    QTest::addColumn<QString>("captionList");
    QTest::addColumn<int>("selectedNode");

    const QStringList two{"Alpha.Stk", "Beta.Stk"};
    // Alpha.Stk holds AAA and ABB, Beta.Stk holds BBB; nodes: Alpha 0, its rows 1-2, Beta 3.
    QTest::newRow("first list named") << "Alpha.Stk" << two << QStringList{"AAA", "ABB"} << "Alpha.Stk" << 0;
    QTest::newRow("name in another letter case") << "alpha.stk" << two << QStringList{"AAA", "ABB"} << "Alpha.Stk" << 0;
    QTest::newRow("last list named") << "Beta.Stk" << two << QStringList{"BBB"} << "Beta.Stk" << 3;
    QTest::newRow("blank start-up list") << "" << two << QStringList{"BBB"} << "Beta.Stk" << -1;
    QTest::newRow("blanks only") << "   " << two << QStringList{"BBB"} << "Beta.Stk" << -1;
    QTest::newRow("missing list") << "Gone.Stk" << two << QStringList{"BBB"} << "Beta.Stk" << -1;
    QTest::newRow("missing list, empty folder") << "Gone.Stk" << QStringList() << QStringList{""} << "Gone.Stk" << -1;
}

void TestStartup::startUpList()
{
    QFETCH(QString, startUpList);
    QFETCH(QStringList, listFiles);
    QFETCH(QStringList, shownSymbols);
    QFETCH(QString, captionList);
    QFETCH(int, selectedNode);

    WindowFixture f;
    const QMap<QString, QStringList> contents{{"Alpha.Stk", {"AAA", "ABB"}}, {"Beta.Stk", {"BBB"}}};
    for (const QString &name : listFiles)
        WindowFixture::write(f.listsFolder() + QLatin1Char('/') + name, WindowFixture::holdings(contents[name]));
    // The program's own list must not be the one shown when the options name another folder.
    WindowFixture::write(f.programFolder() + QStringLiteral("/Stocks1.Stk"), WindowFixture::holdings({"OWN"}));
    const QByteArray options = WindowFixture::crlf(WindowFixture::options(startUpList, f.listsFolder()));
    WindowFixture::write(f.optionsPath(), options);

    TVantori1 &w = f.start();

    QCOMPARE(f.symbols(), shownSymbols);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantori - ") + f.listsFolder() + QLatin1Char('/') + captionList);
    QCOMPARE(w.CurrentListName, startUpList);
    QCOMPARE(Globals().StockListsPath, f.listsFolder());
    QCOMPARE(f.selectedNode(), selectedNode);
    if (selectedNode >= 0) {
        QVERIFY(w.nodeAt(selectedNode)->isExpanded());
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.TreeView1));
    }
    QCOMPARE(w.TreeListName, QString());
    // A file that was read whole is left as it is.
    QCOMPARE(WindowFixture::read(f.optionsPath()), options);
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestStartup::garbledOptionsFileIsRewritten_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rewritten"); // %P stands for the program folder

    const QStringList defaults = WindowFixture::options(QString(), QStringLiteral("%P"));
    QTest::newRow("letters as the height")
        << QByteArray("Mine.Stk\r\n%P\r\n\r\n12\r\n34\r\nabc\r\n800\r\n1\r\n2\r\n3\r\n4\r\n30\r\nTRUE\r\n")
        << withGeometry(WindowFixture::options(QStringLiteral("Mine.Stk"), QStringLiteral("%P")), {12, 34, 0, 0});
    QTest::newRow("binary bytes as the left edge")
        << QByteArray("\r\n%P\r\n\r\n\x01\xff\xfe\x80\r\n")
        << defaults;
}

void TestStartup::garbledOptionsFileIsRewritten()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rewritten);

    WindowFixture f;
    WindowFixture::write(f.optionsPath(), file.replace("%P", f.programFolder().toUtf8()));
    WindowFixture::write(f.programFolder() + QStringLiteral("/Mine.Stk"), WindowFixture::holdings({"MMM"}));
    TVantori1 &w = f.start();

    QVERIFY(w.StartUpDone);
    rewritten.replaceInStrings(QStringLiteral("%P"), f.programFolder());
    QCOMPARE(WindowFixture::read(f.optionsPath()), WindowFixture::crlf(rewritten));
    // The lists of the folder are still there to pick from.
    QCOMPARE(f.nodeTexts().first(), QStringLiteral("Mine.Stk"));
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestStartup::shortOptionsFileStillStarts()
{
    WindowFixture f;
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Mine.Stk"), WindowFixture::holdings({"AAA", "BBB"}));
    const QByteArray options = WindowFixture::crlf(QStringList{"Mine.Stk", f.listsFolder(), QString()});
    WindowFixture::write(f.optionsPath(), options);
    TVantori1 &w = f.start();

    QCOMPARE(f.symbols(), QStringList({"AAA", "BBB"}));
    QCOMPARE(f.selectedNode(), 0);
    QCOMPARE(QRect(w.pos(), w.size()), designedRect());
    // Read whole, so left alone until the program closes and writes all nineteen lines.
    QCOMPARE(WindowFixture::read(f.optionsPath()), options);
    w.close();
    QStringList written = WindowFixture::options(QStringLiteral("Mine.Stk"), f.listsFolder(),
                                                 {70, 70, designedRect().height(), designedRect().width()});
    for (int i = 7; i <= 11; ++i)
        written[i] = QStringLiteral("0"); // help geometry and timer interval as read
    QCOMPARE(WindowFixture::read(f.optionsPath()), WindowFixture::crlf(written));
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestStartup::badStartUpListShowsTheRowsBeforeTheBadLine()
{
    WindowFixture f;
    const QByteArray list = WindowFixture::crlf(QList<QByteArray>{
        WindowFixture::line({"AAA", "Alpha", "1.00", "2", "3.00", "6.00", "5.00"}),
        WindowFixture::line({"BAD", "Bad", "1.00", "2", "3.00", "six", "5.00"}),
        WindowFixture::line({"CCC", "Gamma", "1.00", "2", "3.00", "6.00", "5.00"})});
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Mine.Stk"), list);
    f.writeOptions(WindowFixture::options(QStringLiteral("Mine.Stk"), f.listsFolder()));
    TVantori1 &w = f.start();

    QVERIFY(w.StartUpDone);
    QCOMPARE(f.symbols(), QStringList({"AAA"}));
    QCOMPARE(f.nodeTexts(), QStringList({"Mine.Stk", "AAA - Alpha - 3.00 x 6.00 = 6.00"}));
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 6.00"));
    QVERIFY(f.prompts.messages.isEmpty());
    // Showing it never changes the file.
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Mine.Stk")), list);
}

void TestStartup::unreachableListsFolderFallsBack_data()
{
    QTest::addColumn<QString>("folder"); // below the lists folder of the fixture

    QTest::newRow("folder that does not exist") << "gone";
    QTest::newRow("below a regular file") << "afile/lists";
}

void TestStartup::unreachableListsFolderFallsBack()
{
    QFETCH(QString, folder);

    WindowFixture f;
    WindowFixture::write(f.listsFolder() + QStringLiteral("/afile"), "not a folder");
    const QString missing = f.listsFolder() + QLatin1Char('/') + folder;
    WindowFixture::write(f.programFolder() + QStringLiteral("/Own.Stk"), WindowFixture::holdings({"OWN", "TWO"}));
    f.writeOptions(WindowFixture::options(QStringLiteral("Own.Stk"), missing));
    TVantori1 &w = f.start();

    QVERIFY(w.StartUpDone);
    QCOMPARE(Globals().StockListsPath, f.programFolder());
    QCOMPARE(f.symbols(), QStringList({"OWN", "TWO"}));
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantori - ") + f.programFolder() + QStringLiteral("/Own.Stk"));
    QCOMPARE(f.selectedNode(), 0);

    QTRY_COMPARE(f.prompts.messages.size(), 1);
    const ScriptedPrompts::Message m = f.prompts.messages.first();
    QCOMPARE(m.kind, QStringLiteral("error"));
    QCOMPARE(m.caption, QStringLiteral("Error! "));
    QCOMPARE(m.text, QStringLiteral("The stock lists folder \"%1\" could not be opened. "
                                    "Vantori is using its own folder \"%2\" instead.")
                         .arg(missing, f.programFolder()));
    // Said once: events that come later bring no second message.
    QCoreApplication::processEvents();
    QCOMPARE(f.prompts.messages.size(), 1);

    // The folder may only be away for now (an unplugged drive): the setting survives.
    w.close();
    QCOMPARE(QString::fromUtf8(WindowFixture::read(f.optionsPath())).split(QStringLiteral("\r\n")).value(1), missing);
}

void TestStartup::storedGeometryIsApplied_data()
{
    QTest::addColumn<QList<int>>("stored"); // left, top, height, width as in the file
    QTest::addColumn<QRect>("expected");

    QTest::newRow("on screen") << QList<int>{120, 90, 500, 700} << QRect(120, 90, 700, 500);
    QTest::newRow("off to the right and below") << QList<int>{5000, 4000, 400, 600} << QRect(70, 70, 600, 400);
    QTest::newRow("off to the left and above") << QList<int>{-3000, -2000, 400, 600} << QRect(70, 70, 600, 400);
    QTest::newRow("no size stored") << QList<int>{0, 0, 0, 0} << QRect();
}

void TestStartup::storedGeometryIsApplied()
{
    QFETCH(QList<int>, stored);
    QFETCH(QRect, expected);
    if (expected.isNull())
        expected = designedRect();

    WindowFixture f;
    f.writeOptions(WindowFixture::options(QString(), f.programFolder(), stored));
    TVantori1 &w = f.start();

    QCOMPARE(QRect(w.pos(), w.size()), expected);
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w.frameGeometry()));
}

void TestStartup::geometryIsStoredAtClose()
{
    WindowFixture f;
    {
        TVantori1 &w = f.start();
        w.move(130, 110);
        w.resize(720, 540);
        w.close();
    }
    QCOMPARE(WindowFixture::read(f.optionsPath()),
             WindowFixture::crlf(WindowFixture::options(QString(), f.programFolder(), {130, 110, 540, 720})));

    // The next run of the program finds it there.
    f.window.reset();
    Globals() = TGlobals{};
    TVantori1 &again = f.start();
    QCOMPARE(QRect(again.pos(), again.size()), QRect(130, 110, 720, 540));
}

void TestStartup::closingWritesOnlyTheOptionsFile_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("F12") << "F12";
    QTest::newRow("Exit menu item") << "Exit1";
    QTest::newRow("close box") << "close";
}

void TestStartup::closingWritesOnlyTheOptionsFile()
{
    QFETCH(QString, how);

    WindowFixture f;
    const QByteArray list = WindowFixture::holdings({"AAA", "BBB"});
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Mine.Stk"), list);
    f.writeOptions(WindowFixture::options(QStringLiteral("Mine.Stk"), f.listsFolder()));
    TVantori1 &w = f.start();
    w.move(100, 80);
    w.resize(640, 480);
    w.grid().setCell(0, 1, QStringLiteral("EDITED"));
    w.grid().setCell(3, 2, QStringLiteral("999"));

    if (how == QLatin1String("F12")) {
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F12);
    } else if (how == QLatin1String("Exit1")) {
        w.action(QStringLiteral("Exit1"))->trigger();
    } else {
        w.close();
    }

    QTRY_VERIFY(!w.isVisible());
    QCOMPARE(WindowFixture::read(f.optionsPath()),
             WindowFixture::crlf(WindowFixture::options(QStringLiteral("Mine.Stk"), f.listsFolder(),
                                                        {100, 80, 480, 640})));
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Mine.Stk")), list);
    QCOMPARE(QDir(f.listsFolder()).entryList(QDir::Files), QStringList({"Mine.Stk"}));
    QVERIFY(f.prompts.messages.isEmpty());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include "support/files.h"

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void splitLines_data();
    void splitLines();
    void encodeLines();
    void readLines();
    void readLinesFailure();
    void writeReplacesWholeFile();
    void failedWriteKeepsOldFile();
    void writeIntoMissingFolder();
};

void TestTextFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii") << QByteArray("ABC|@|ABC Industries|@|") << QStringLiteral("ABC|@|ABC Industries|@|");
    QTest::newRow("utf-8") << QByteArray("Nestl\xC3\xA9 S.A.") << QStringLiteral("Nestlé S.A.");
    QTest::newRow("utf-8 with byte order mark")
        << QByteArray("\xEF\xBB\xBFSoci\xC3\xA9t\xC3\xA9") << QStringLiteral("Société");
    QTest::newRow("windows-1252 latin letters")
        << QByteArray("Soci\xE9t\xE9 G\xE9n\xE9rale") << QStringLiteral("Société Générale");
    QTest::newRow("windows-1252 punctuation and euro")
        << QByteArray("L\x92Or\xE9" "al \x93Prime\x94 \x80 5 \x96 \x85")
        << QStringLiteral("L’Oréal “Prime” € 5 – …");
    QTest::newRow("windows-1252 letters of 0x80-0x9f")
        << QByteArray("\x8A\x8C\x8E\x9A\x9C\x9E\x9F") << QStringLiteral("ŠŒŽšœžŸ");
    // One stray byte makes the whole file Windows-1252, as it was written.
    QTest::newRow("invalid utf-8 anywhere")
        << QByteArray("Z\xC3\xBCrich \xFC") << QStringLiteral("Z\u00C3\u00BCrich \u00FC");
}

void TestTextFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextFile::decode(bytes), text);
}

void TestTextFile::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("no final line end") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QStringLiteral("a\nb\r\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
    QTest::newRow("empty lines kept") << QStringLiteral("a\r\n\r\n\r\nb\r\n\r\n")
                                      << QStringList{"a", "", "", "b", ""};
    QTest::newRow("blanks kept") << QStringLiteral("  a \r\n\t\r\n") << QStringList{"  a ", "\t"};
}

void TestTextFile::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::splitLines(text), lines);
}

void TestTextFile::encodeLines()
{
    QCOMPARE(TextFile::encodeLines({}), QByteArray());
    QCOMPARE(TextFile::encodeLines({QString()}), QByteArray("\r\n"));
    QCOMPARE(TextFile::encodeLines({QStringLiteral("Société Générale"), QString(), QStringLiteral(" x ")}),
             QByteArray("Soci\xC3\xA9t\xC3\xA9 G\xC3\xA9n\xC3\xA9rale\r\n\r\n x \r\n"));
}

void TestTextFile::readLines()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QVERIFY(writeBytes(path, QByteArray("Nestl\xE9\r\n\r\n  L\x92Or\xE9" "al\r\n")));

    QStringList lines{QStringLiteral("stale")};
    QString error;
    QVERIFY(TextFile::readLines(path, &lines, &error));
    QCOMPARE(lines, QStringList({"Nestlé", "", "  L’Oréal"}));

    // What was read comes back as UTF-8 with every character kept.
    QVERIFY(TextFile::writeLines(path, lines, &error));
    QCOMPARE(readBytes(path), QByteArray("Nestl\xC3\xA9\r\n\r\n  L\xE2\x80\x99Or\xC3\xA9" "al\r\n"));
    QStringList again;
    QVERIFY(TextFile::readLines(path, &again));
    QCOMPARE(again, lines);
}

void TestTextFile::readLinesFailure()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList lines{QStringLiteral("kept")};
    QString error;
    QVERIFY(!TextFile::readLines(dir.filePath(QStringLiteral("missing.txt")), &lines, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(lines, QStringList{"kept"});
}

void TestTextFile::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Options.Ini"));
    QVERIFY(TextFile::writeAtomic(path, QByteArray("a much longer first version\r\n")));
    QVERIFY(TextFile::writeAtomic(path, QByteArray("short\r\n")));
    QCOMPARE(readBytes(path), QByteArray("short\r\n"));
    QVERIFY(TextFile::writeAtomic(path, QByteArray()));
    QCOMPARE(readBytes(path), QByteArray());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Options.Ini"});
}

void TestTextFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Stocks1.Stk"));
    const QByteArray old("ABC|@|ABC Industries|@|25.50|@|100|@|27.10|@|2,710.00|@|2,710.00|@|\r\n");
    QVERIFY(writeBytes(path, old));

    QString error;
    bool written = true;
    {
        FileSizeLimit full(16);
        QVERIFY(full.ok());
        written = TextFile::writeAtomic(path, QByteArray(4096, 'x'), &error);
    }
    QVERIFY(!written);
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Stocks1.Stk"});
}

void TestTextFile::writeIntoMissingFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString notAFolder = dir.filePath(QStringLiteral("plain.txt"));
    QVERIFY(writeBytes(notAFolder, "plain\r\n"));

    for (const QString &path : {dir.filePath(QStringLiteral("gone/list.Stk")), notAFolder + QStringLiteral("/list.Stk")}) {
        QString error;
        QVERIFY(!TextFile::writeAtomic(path, QByteArray("x\r\n"), &error));
        const QString prefix = QStringLiteral("Cannot write \"") + path + QStringLiteral("\": ");
        QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
    }
    QCOMPARE(readBytes(notAFolder), QByteArray("plain\r\n"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

#include "utilon/cout_buffer.h"
#include "utilon/numeric_string_compare.h"
#include "utilon/path.h"

#include <QTest>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

class TestUtilon : public QObject {
    Q_OBJECT

private slots:
    void numericOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::addColumn<bool>("greater");
        QTest::newRow("2 before 10") << "2" << "10" << true << false;
        QTest::newRow("10 before 10A") << "10" << "10A" << true << false;
        QTest::newRow("10A before 11") << "10A" << "11" << true << false;
        QTest::newRow("10A before 10B") << "10A" << "10B" << true << false;
        QTest::newRow("equal") << "7" << "7" << false << false;
        QTest::newRow("leading zero after plain") << "1" << "01" << true << false;
        QTest::newRow("value before zeros") << "007" << "10" << true << false;
        QTest::newRow("empty first") << "" << "1" << true << false;
        QTest::newRow("digits inside text") << "Act2-9" << "Act2-10" << true << false;
        QTest::newRow("bytewise letters") << "B" << "a" << true << false;
        QTest::newRow("long numbers") << "99999999999999999999" << "100000000000000000000" << true << false;
    }

    void numericOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, less);
        QFETCH(bool, greater);
        const utilon::NumericStringCompare compare;
        QCOMPARE(compare(a.toStdString(), b.toStdString()), less);
        QCOMPARE(compare(b.toStdString(), a.toStdString()), greater);
    }

    void sortsSongNumbers()
    {
        std::vector<std::string> songs = {"11", "10A", "2", "1", "10", "3b", "3"};
        std::sort(songs.begin(), songs.end(), utilon::NumericStringCompare());
        const std::vector<std::string> expected = {"1", "2", "3", "3b", "10", "10A", "11"};
        QVERIFY(songs == expected);
    }

    void splitext_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("extension");
        QTest::newRow("version file") << "a/Show-2.5.logdata" << "a/Show-2.5" << ".logdata";
        QTest::newRow("no dot") << "a/Show" << "a/Show" << "";
        QTest::newRow("dot in folder only") << "a.b/Show" << "a.b/Show" << "";
        QTest::newRow("plain name") << "x.json" << "x" << ".json";
    }

    void splitext()
    {
        QFETCH(QString, path);
        QFETCH(QString, stem);
        QFETCH(QString, extension);
        const auto [s, e] = utilon::path::splitext(path.toStdString());
        QCOMPARE(QString::fromStdString(s), stem);
        QCOMPARE(QString::fromStdString(e), extension);
    }

    void coutBufferWritesWholeLines()
    {
        std::ostringstream captured;
        std::streambuf* const original = std::cout.rdbuf(captured.rdbuf());
        {
            utilon::CoutBuffer out;
            out << "bar " << 12;
            QCOMPARE(captured.str(), std::string());
            out << " beat 3" << std::endl;
            QCOMPARE(captured.str(), std::string("bar 12 beat 3\n"));
            std::vector<std::thread> writers;
            for (int t = 0; t < 4; ++t) {
                writers.emplace_back([t] {
                    utilon::CoutBuffer line;
                    for (int i = 0; i < 200; ++i)
                        line << "writer " << t << " line " << i << " end" << std::endl;
                });
            }
            for (auto& writer : writers)
                writer.join();
            out << "unfinished";
        }
        std::cout.rdbuf(original);
        std::istringstream lines(captured.str());
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) {
            ++count;
            QVERIFY2(line == "bar 12 beat 3" || line == "unfinished" || (line.starts_with("writer ") && line.ends_with(" end")),
                line.c_str());
        }
        QCOMPARE(count, 2 + 4 * 200);
    }
};

QTEST_GUILESS_MAIN(TestUtilon)
#include "test_utilon.moc"

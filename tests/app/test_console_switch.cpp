#include "app/console_switch.h"

#include <QtTest>

#include <vector>

Q_DECLARE_METATYPE(std::optional<int>)

class TestConsoleSwitch : public QObject {
    Q_OBJECT

private slots:
    void recognises_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<std::optional<int>>("index");
        QTest::newRow("none") << QStringList{} << std::optional<int>{};
        QTest::newRow("short") << QStringList{"-c"} << std::optional<int>{1};
        QTest::newRow("long") << QStringList{"--console"} << std::optional<int>{1};
        QTest::newRow("after other arguments") << QStringList{"show", "-x", "--console"} << std::optional<int>{3};
        QTest::newRow("first of two") << QStringList{"-c", "--console"} << std::optional<int>{1};
        QTest::newRow("upper-case short") << QStringList{"-C"} << std::optional<int>{};
        QTest::newRow("upper-case long") << QStringList{"--CONSOLE", "--Console"} << std::optional<int>{};
        QTest::newRow("long with a value") << QStringList{"--console=1", "--consoles"} << std::optional<int>{};
        QTest::newRow("long with one dash") << QStringList{"-console"} << std::optional<int>{};
        QTest::newRow("short inside a word") << QStringList{"-cc", "c", "-c "} << std::optional<int>{};
        QTest::newRow("empty argument") << QStringList{""} << std::optional<int>{};
    }

    void recognises()
    {
        QFETCH(QStringList, arguments);
        QFETCH(std::optional<int>, index);
        std::vector<QByteArray> storage{"tolbrin"};
        for (const QString& argument : arguments) {
            storage.push_back(argument.toUtf8());
        }
        std::vector<const char*> argv;
        for (const QByteArray& argument : storage) {
            argv.push_back(argument.constData());
        }
        QCOMPARE(vemo::ConsoleSwitchIndex(static_cast<int>(argv.size()), argv.data()), index);
    }

    void programNameIsNotAnArgument()
    {
        const char* argv[] = {"-c"};
        QCOMPARE(vemo::ConsoleSwitchIndex(1, argv), std::optional<int>{});
    }
};

QTEST_GUILESS_MAIN(TestConsoleSwitch)
#include "test_console_switch.moc"

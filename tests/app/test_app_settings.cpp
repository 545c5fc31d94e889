#include "app/app_settings.h"

#include "vemo_test/test_environment.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using vemo::AppSettings;

namespace {

std::unique_ptr<AppSettings> Open(const QString& path)
{
    return std::make_unique<AppSettings>(std::make_unique<QSettings>(path, QSettings::IniFormat));
}

std::unique_ptr<AppSettings> OpenAndLoad(const QString& path)
{
    auto settings = Open(path);
    settings->Load();
    return settings;
}

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestAppSettings : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(folder.isValid());
        path = folder.filePath("general_settings.vemo");
        QFile::remove(path);
    }

    void noFileGivesTheDefaults()
    {
        auto settings = Open(path);
        QVERIFY(settings->DialogShow("ClickToolNotification"));
        QCOMPARE(settings->DefaultVolume(), 1.0);
        settings->Load();
        QCOMPARE(settings->DefaultVolume(), 1.0);
        QCOMPARE(settings->DefaultOutputDevice(), QString());
        QCOMPARE(settings->currentMidiSourceName, QString());
        settings.reset();
        QVERIFY(!QFile::exists(path));
    }

    void dialogChoiceIsKept()
    {
        Open(path)->SetDialogShow("ClickToolNotification", false);
        QVERIFY(!Open(path)->DialogShow("ClickToolNotification"));
        QVERIFY(Open(path)->DialogShow("OtherDialog"));
        const QByteArray content = ReadFile(path);
        QVERIFY2(content.contains("[Dialogs]\nClickToolNotification=false\n"), content.constData());
    }

    void saveWritesTheFourKeys()
    {
        {
            auto settings = Open(path);
            settings->SetDefaultVolume(0.5);
            settings->SetDefaultOutputDevice("virtual-out-3-4");
            settings->currentMidiSourceName = "Virtual MIDI In 1";
            QVERIFY(settings->Save());
        }
        QSettings file(path, QSettings::IniFormat);
        QCOMPARE(file.childKeys(), (QStringList{"clickVolumeLinear", "currentMidiSourceName", "defaultOutputDeviceString",
                                                "defaultVolume"}));
        QCOMPARE(file.value("defaultVolume").toDouble(), 0.5);
        QCOMPARE(file.value("clickVolumeLinear").toDouble(), 1.0);
        auto reread = OpenAndLoad(path);
        QCOMPARE(reread->DefaultVolume(), 0.5);
        QCOMPARE(reread->DefaultOutputDevice(), QString("virtual-out-3-4"));
        QCOMPARE(reread->currentMidiSourceName, QString("Virtual MIDI In 1"));
    }

    void flagTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("show");
        QTest::newRow("false") << QByteArray("false") << false;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("true") << QByteArray("true") << true;
        QTest::newRow("1") << QByteArray("1") << true;
    }

    void flagTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, show);
        WriteFile(path, "[Dialogs]\nClickToolNotification=" + text + "\n");
        QCOMPARE(Open(path)->DialogShow("ClickToolNotification"), show);
    }

    void volumeTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("volume");
        QTest::newRow("abc") << QByteArray("abc") << 1.0;
        QTest::newRow("empty") << QByteArray("") << 1.0;
        QTest::newRow("nan") << QByteArray("nan") << 1.0;
        QTest::newRow("inf") << QByteArray("inf") << 1.0;
        QTest::newRow("0.25") << QByteArray("0.25") << 0.25;
        QTest::newRow("0") << QByteArray("0") << 0.0;
    }

    void volumeTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, volume);
        WriteFile(path, "[General]\ndefaultVolume=" + text + "\nclickVolumeLinear=" + text + "\n");
        auto settings = OpenAndLoad(path);
        QCOMPARE(settings->DefaultVolume(), volume);
        settings->Save();
        settings.reset();
        QCOMPARE(QSettings(path, QSettings::IniFormat).value("clickVolumeLinear").toDouble(), volume);
    }

    void garbageFileGivesTheDefaultsAndStaysUntouched()
    {
        const QByteArray garbage("\x01\x02[[[=\xff\xfe\nno equals sign\n=\n[Dialogs\n", 34);
        WriteFile(path, garbage);
        {
            auto settings = OpenAndLoad(path);
            QCOMPARE(settings->DefaultVolume(), 1.0);
            QCOMPARE(settings->DefaultOutputDevice(), QString());
            QVERIFY(settings->DialogShow("ClickToolNotification"));
        }
        QCOMPARE(ReadFile(path), garbage);
    }

    void textsAreKeptAsRead()
    {
        WriteFile(path, "[General]\ndefaultOutputDeviceString=\"Device, with comma\"\ncurrentMidiSourceName=  spaced\n");
        auto settings = OpenAndLoad(path);
        QCOMPARE(settings->DefaultOutputDevice(), QString("Device, with comma"));
        QCOMPARE(settings->currentMidiSourceName, QString("spaced"));
    }

    void dataFoldersAreIsolated()
    {
        QVERIFY(vemo::testing::DataFoldersAreIsolated());
    }

private:
    QTemporaryDir folder;
    QString path;
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "test_app_settings.moc"
